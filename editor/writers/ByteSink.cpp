#include "editor/writers/ByteSink.h"

#include "editor/writers/WriteError.h"

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
    if (int error = WriteAll(files_, fd_, buffer_.data(), used_); error != 0)
        throw WriteError::FromErrno(fileName_, error);
    used_ = 0;
}

}  // namespace sequara
