#pragma once
// The autosave files in the program's folder: the editor's timer writes them,
// the run set-up offers to restore them, a successful save deletes the one
// of its data type.

#include "sequence/CharacterRules.h"

#include <string>

namespace sequara {

inline constexpr const char* kDnaBackupName = "backup.ali";
inline constexpr const char* kAminoBackupName = "backup_ami.ali";

// "backup_ami.ali" for "AMINO", "backup.ali" otherwise.
inline std::string BackupName(const std::string& dataType) {
    return IsAminoDataType(dataType) ? kAminoBackupName : kDnaBackupName;
}

}  // namespace sequara
