#include "editor/writers/ByteSink.h"

#include "editor/writers/WriteError.h"

#include <cerrno>
#include <cstring>

namespace sequara {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

ByteSink::ByteSink(FileLayer& files, int fd, std::string fileName)
    : files_(files), fd_(fd), fileName_(std::move(fileName)), buffer_(kBufferSize) {}

void ByteSink::Append(std::string_view text) {
    while (!text.empty()) {
        if (used_ == buffer_.size()) Flush();
        std::size_t n = std::min(text.size(), buffer_.size() - used_);
        std::memcpy(buffer_.data() + used_, text.data(), n);
        used_ += n;
        text.remove_prefix(n);
    }
}

void ByteSink::Flush() {
    std::size_t done = 0;
    while (done < used_) {
        std::size_t written = 0;
        int error = files_.Write(fd_, buffer_.data() + done, used_ - done, written);
        if (error != 0) throw WriteError::FromErrno(fileName_, error);
        // A write that takes nothing without an error would loop for ever;
        // the system does this only when the device is full.
        if (written == 0) throw WriteError::FromErrno(fileName_, ENOSPC);
        done += written;
    }
    used_ = 0;
}

}  // namespace sequara
