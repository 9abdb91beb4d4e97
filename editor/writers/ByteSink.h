#pragma once
// The byte stream every writer writes to.  It buffers, hands full buffers to
// the file layer and checks each result: a failed or stalled write throws
// WriteError at once, so no writer can lose an error.  Lines end with CR LF
// through EndLine / Line and nowhere else.

#include "sequence/FileLayer.h"

#include <string>
#include <string_view>
#include <vector>

namespace sequara {

class ByteSink {
public:
    // Writes to fd of files; fileName is only used in error messages.
    ByteSink(FileLayer& files, int fd, std::string fileName);
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    void Put(char c) {
        if (used_ == buffer_.size()) Flush();
        buffer_[used_++] = c;
    }
    void Append(std::string_view text);
    // The line end of every file the program writes: CR LF.
    void EndLine() { Append("\r\n"); }
    void Line(std::string_view text) {
        Append(text);
        EndLine();
    }
    // Hands everything buffered to the file layer.  Throws WriteError.
    void Flush();
    const std::string& FileName() const { return fileName_; }

private:
    FileLayer& files_;
    int fd_;
    std::string fileName_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

}  // namespace sequara
