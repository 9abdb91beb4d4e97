#pragma once
// Line-by-line reading of 8-bit text files with the program's line rules:
// a line feed ends a line, a carriage return directly before it belongs to
// the line end, and a carriage return anywhere else is dropped.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace sequara {

class TextLineReader {
public:
    TextLineReader() = default;
    ~TextLineReader() { close(); }
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // False when the file cannot be opened for reading; refusal() then tells
    // when that is because it is no plain file (a folder, a named pipe...).
    bool open(const std::string& fileName);
    const std::string& refusal() const { return refusal_; }
    bool isOpen() const { return file_ != nullptr; }
    // Reads the next line without its line end; false at the end of the file.
    bool next(std::string& line);
    // False when there was nothing open or the close failed.
    bool close();
    // True when a read error (not the end of the file) stopped reading.
    bool failed() const { return failed_; }

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    std::string refusal_;
};

// Splits text held in memory by the same rules (a final line without a line
// feed is a line; nothing after a final line feed is not).
std::vector<std::string> SplitTextLines(std::string_view text);

bool FileExists(const std::string& fileName);

}  // namespace sequara
