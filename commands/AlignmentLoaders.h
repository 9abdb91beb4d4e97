#pragma once
// The load commands that need no aligning, without the main window:
// Load > "Temporary &Alignment", the hidden "&Gravity format" and
// "Fa&sta file (display only)".  Each fills the aligned working state
// (AlignedReference, AlignedNumbering, AlignedSequences) and the title and
// returns true; the caller then opens the editor on it.  False: the command
// ended (cancelled, or the file was refused with its message).

#include "platform/Platform.h"
#include "sequence/WorkingState.h"

namespace sequara {

inline constexpr const char* kAlignmentReadError = "An error occured when trying to read the alignment.";
inline constexpr const char* kDisplayOnlyQuestion =
    "Attention: this option displays externally aligned sequences without performing any further alignment. "
    "Press OK to continue. If, instead, you require a completely new alignment for your sequences, press cancel "
    "and select the auto-align option.";
inline constexpr const char* kDisplayOnlyLengthQuestion =
    "The Fasta (display-only) option requires identical sequence lengths. However, one or more of your sequences "
    "is longer or shorter than the rest. Shall the program standardise the length by adding empty nucleotide "
    "spaces? Press YES to continue. If you press NO, the program will instead delete nucleotides to standardise "
    "the length.";
inline constexpr const char* kDisplayOnlyNothingToShow =
    "The sequences of this file are all empty: there is nothing to display.";

// Alignment1Click (gravity false, the ".ali" dialog) and Gravityformat1Click
// (gravity true, the ".grv" dialog): the file is read with the temporary-
// alignment reader.  On a refused file: kAlignmentReadError.  Cost: linear
// in the file size.
bool LoadTemporaryAlignment(WorkingState& state, Platform& platform, FileDialogOptions& dialog, bool gravity);

// Fastafilealreadyaligned1Click: the OK/Cancel notice, the file, the reader,
// then rows of equal length (asking whether to pad with "-" or cut to the
// shortest when they differ; Escape or the close box there cancels the load
// and leaves AlignmentTitle and LoadedSequences as they were), the first sequence as the reference row and
// each column numbered by its count of reference characters ("-" columns
// unlabelled).  Empty sequences count neither as the shortest nor as the
// longest and are shown as gaps, so one empty entry never cuts the others;
// a file whose sequences are all empty ends with kDisplayOnlyNothingToShow.
// The sequences move into the aligned rows (one byte per cell), so
// LoadedSequences is left empty.  Cost: linear in the file size.
bool LoadDisplayOnlyFasta(WorkingState& state, Platform& platform, FileDialogOptions& dialog);

}  // namespace sequara
