#pragma once
// The autosave files in the program's folder: the editor's timer writes them,
// the run set-up offers to restore them, a successful save deletes the one
// of its data type.

#include "sequence/CharacterRules.h"
#include "sequence/WorkingState.h"

#include <string>

namespace sequara {

inline constexpr const char* kDnaBackupName = "backup.ali";
inline constexpr const char* kAminoBackupName = "backup_ami.ali";

// True when the aligned working state has no column, or no sequence: its
// temporary alignment could not be read back (the reader needs a reference
// row and at least one sequence), so neither a save nor the autosave writes it.
inline bool AlignmentHasNoColumns(const WorkingState& state) {
    return state.AlignedReference.empty() || state.AlignedReference[0].Sequence.empty();
}
inline bool AlignmentHasNoSequences(const WorkingState& state) { return state.AlignedSequences.empty(); }

// "backup_ami.ali" for "AMINO", "backup.ali" otherwise.
inline std::string BackupName(const std::string& dataType) {
    return IsAminoDataType(dataType) ? kAminoBackupName : kDnaBackupName;
}

}  // namespace sequara
