#pragma once
// Load > "F&orensic format": a forensic haplotype list becomes an alignment
// against the run's reference.  Each list line is one row: the reference's
// characters with the sample's sites put in, "-" outside the sample's
// sequenced ranges, and gap columns after a position for characters inserted
// there by any sample.

#include "platform/Platform.h"
#include "sequence/ForensicList.h"
#include "sequence/SharedText.h"
#include "sequence/WorkingState.h"

#include <optional>
#include <string>
#include <vector>

namespace sequara {

inline constexpr const char* kForensicReferenceRefused =
    "A forensic list can only be imported against a reference whose position labels are whole numbers, "
    "one label for each reference character.";
inline constexpr const char* kForensicSitesSkipped =
    "These sites were skipped because their position is not a whole number: ";

struct ForensicAlignment {
    TAlignedDataSet Reference;       // one row: the reference with "-" in inserted columns
    TCharacterName Numbering;        // the reference's labels, empty in inserted columns
    TAlignedDataSet Sequences;       // one row per record, in list order
    std::vector<std::string> SkippedSites;  // "NAME site" for every site whose position is no number
};

// The alignment of the records against reference and labels; nothing when
// the labels are not whole numbers, one per reference character (an empty
// label list included).  Positions are mapped to columns once and each row
// is built once.  Cost: O(records x (columns + sites)).
std::optional<ForensicAlignment> BuildForensicAlignment(const TDBFDataSet& records, const std::string& reference,
                                                        const TCharacterName& labels);

// The command without the window: the open dialog, the reader, the
// alignment into AlignedReference, AlignedNumbering, AlignedSequences and
// AlignmentTitle.  True when the caller is to open the editor.  The run's
// ReferenceData and ReferenceNumbering stay as they are.
bool ImportForensicList(WorkingState& state, Platform& platform, FileDialogOptions& dialog);

}  // namespace sequara
