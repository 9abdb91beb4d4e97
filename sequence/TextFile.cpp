#include "sequence/TextFile.h"

#include "sequence/FileLayer.h"

#include <sys/stat.h>

namespace sequara {

bool TextLineReader::open(const std::string& fileName) {
    close();
    failed_ = false;
    file_ = OpenPlainFileForReading(fileName, refusal_);
    return file_ != nullptr;
}

bool TextLineReader::next(std::string& line) {
    line.clear();
    if (!file_) return false;
    bool any = false;
    bool pendingCR = false;
    for (;;) {
        int c = std::getc(file_);
        if (c == EOF) {
            if (std::ferror(file_)) failed_ = true;
            return any;  // a stray CR at the very end is dropped
        }
        any = true;
        if (c == '\n') return true;  // a CR just before the LF belongs to the line end
        if (pendingCR) pendingCR = false;  // the CR was stray: dropped
        if (c == '\r') {
            pendingCR = true;
            continue;
        }
        line.push_back(static_cast<char>(c));
    }
}

bool TextLineReader::close() {
    if (!file_) return false;
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    bool any = false;
    for (char c : text) {
        any = true;
        if (c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            any = false;
        } else if (c != '\r') {
            current.push_back(c);
        }
    }
    if (any) lines.push_back(std::move(current));
    return lines;
}

bool FileExists(const std::string& fileName) {
    struct stat st {};
    return ::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace sequara
