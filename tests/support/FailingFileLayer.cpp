#include "tests/support/FailingFileLayer.h"

#include <algorithm>
#include <cerrno>

namespace sequara::testing {

int FailingFileLayer::CreateTemporary(const std::string& target, std::string& temporaryName, int& fd) {
    if (FailAt == Step::Create) return Error;
    int error = PosixFileLayer::CreateTemporary(target, temporaryName, fd);
    if (error == 0) Temporaries.push_back(temporaryName);
    return error;
}

int FailingFileLayer::Write(int fd, const char* data, std::size_t size, std::size_t& written) {
    written = 0;
    if (SpaceLeft == 0) return ENOSPC;
    std::size_t n = std::min({size, SpaceLeft, MaxPerWrite});
    int error = PosixFileLayer::Write(fd, data, n, written);
    SpaceLeft -= written;
    return error;
}

int FailingFileLayer::Close(int fd) {
    // The descriptor is released either way, as close(2) does.
    int error = PosixFileLayer::Close(fd);
    return FailAt == Step::Close ? Error : error;
}

}  // namespace sequara::testing
