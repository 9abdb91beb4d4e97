#pragma once
// Writing the run's parameters and colours back into the settings file, one
// section each, through TIniFile's positional section writer.

#include "platform/Platform.h"
#include "sequence/IniFile.h"
#include "sequence/WorkingState.h"

namespace sequara {

// CALC_PARAMS: IGNORE_FASTA_NS, IGNORE_FASTA_GAPS ("TRUE"/"FALSE"),
// MIN_ALIGNMENT_MATCH, INITIAL_NUCLEOTIDES (decimal), in this order.
TIniSection CalcParamsSection(const WorkingState& state);

// DISPLAY_PARAMS: HEADER, REFERENCE, MATCH, MISMATCH, SELECTION and
// HIGHLIGHT_COLOR, each the colour's 32 bits as a signed decimal number.
TIniSection DisplayParamsSection(const WorkingState& state);

// Opens state.SettingsFileName with messages on and, only when it opened,
// writes the section (a section the file lacks is appended) and closes the
// file.  False when the file is missing (its message shown, nothing
// written).  Throws IniFileError when the file cannot be rewritten.
bool WriteSettingsSection(const WorkingState& state, const TIniSection& section, Platform& platform);

}  // namespace sequara
