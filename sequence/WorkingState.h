#pragma once
// The variables of one run: the data type, the reference, the sequences of
// the last load and their alignment, the alignment shown in the editor, the
// parameters and the colours.  The application owns exactly one WorkingState
// and passes it by reference; nothing else is global.

#include "sequence/Records.h"
#include "sequence/SharedText.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sequara {

// 0x00BBGGRR
using TColor = std::uint32_t;

// The alignment parameters of a run whose settings do not give them.
struct DefaultParameters {
    static constexpr std::int32_t MinAlignmentMatch = 4;
    static constexpr std::int32_t InitialNucleotides = 15;
    static constexpr bool IgnoreFastaNs = true;
    static constexpr bool IgnoreFastaGaps = true;
};

struct WorkingState {
    std::string DataType;                 // "DNA" or "AMINO"
    TFastaDataSet ReferenceData;          // element 0 = the reference
    TCharacterName ReferenceNumbering;    // labels of the reference file's "<" line
    TFastaDataSet LoadedSequences;        // sequences of the last chosen FASTA file
    TAlignmentResult AlignmentPositions;  // one row per element of LoadedSequences
    // The alignment shown in the editor.  Rows share their characters with
    // the undo snapshot until one side changes them (SharedText).
    TAlignedDataSet AlignedReference;     // the editor's reference row (one element)
    TAlignedDataSet AlignedSequences;     // the editor's rows
    TCharacterName AlignedNumbering;      // one label per editor column
    std::string AlignmentTitle;           // caption of the next editor window

    std::int32_t MinAlignmentMatch = 0;
    std::int32_t InitialNucleotides = 0;
    bool IgnoreFastaNs = false;
    bool IgnoreFastaGaps = false;

    TColor HeaderColor = 0;
    TColor ReferenceColor = 0;
    TColor MatchColor = 0;
    TColor MismatchColor = 0;
    TColor SelectionColor = 0;
    TColor HighlightColor = 0;

    std::string SettingsFileName;         // ApplicationFolder + "UserSettings.txt"
    bool FirstActivation = false;         // true from main-window creation until the front panel shows
    bool AutoReverse = false;             // the next automatic alignment also orients sequences
    std::vector<TReferenceListEntry> ReferenceList;  // nothing fills it in this version
    std::string ApplicationFolder;        // program folder with its trailing separator
};

}  // namespace sequara
