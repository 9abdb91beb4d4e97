#include "sequence/Utilities.h"

#include "sequence/TextFile.h"

#include <algorithm>
#include <sys/stat.h>

namespace sequara {

int PosOfChar(char C, const std::string& S) {
    auto pos = S.find(C);
    return pos == std::string::npos ? static_cast<int>(S.size()) + 1 : static_cast<int>(pos) + 1;
}

std::string DeleteAllChars(char C, const std::string& S) {
    std::string out;
    out.reserve(S.size());
    for (char c : S)
        if (c != C) out.push_back(c);
    return out;
}

void ForceExtension(const std::string& Ext, std::string& FileName) {
    std::string ext = Ext.size() > 3 ? Ext.substr(Ext.size() - 3) : Ext;
    std::string wanted = "." + ext;
    if (FileName.size() >= 4 && FileName.compare(FileName.size() - 4, 4, wanted) == 0) return;
    // Only a dot among the last 5 characters starts an extension to replace,
    // and only one in the file's own name: a dot in a folder name is no
    // extension.
    std::size_t first = FileName.size() > 5 ? FileName.size() - 5 : 0;
    const std::size_t slash = FileName.rfind('/');
    if (slash != std::string::npos) first = std::max(first, slash + 1);
    for (std::size_t i = FileName.size(); i > first; --i) {
        if (FileName[i - 1] == '.') {
            FileName.resize(i - 1);
            break;
        }
    }
    FileName += wanted;
}

void OpenTextForWriting(const std::string& FileName, std::ofstream& F, bool& Ok, Platform& platform) {
    Ok = true;
    struct stat st {};
    const bool exists = ::stat(FileName.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        // A folder is never emptied or replaced: no overwrite question.
        platform.ShowMessage("The chosen name is a folder and cannot be written: " + FileName);
        Ok = false;
        return;
    }
    if (exists) {
        if (platform.AskYesNo("The chosen file already exists! Overwrite?", "Warning", MessageType::Warning) !=
            YesNoAnswer::Yes) {
            Ok = false;
            return;
        }
    }
    if (F.is_open()) F.close();
    F.clear();
    F.open(FileName, std::ios::out | std::ios::binary | std::ios::trunc);
    if (!F.is_open() || !F) {
        F.close();
        F.clear();
        Ok = false;
    }
}

}  // namespace sequara
