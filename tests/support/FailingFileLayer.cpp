#include "tests/support/FailingFileLayer.h"

#include <algorithm>
#include <cerrno>

namespace sequara::testing {

int FailingFileLayer::CreateTemporary(const std::string& target, std::string& temporaryName, int& fd) {
    if (FailAt == Step::Create) return Error;
    int error = PosixFileLayer::CreateTemporary(target, temporaryName, fd);
    if (error == 0) {
        Temporaries.push_back(temporaryName);
        open_[fd] = temporaryName;
    }
    return error;
}

bool FailingFileLayer::fails(Step step, const std::string& temporary) const {
    return FailAt == step && (OnlyFor.empty() || IsTemporaryNameOf(OnlyFor, temporary));
}

bool FailingFileLayer::fails(Step step, int fd) const {
    const auto found = open_.find(fd);
    return fails(step, found == open_.end() ? std::string() : found->second);
}

int FailingFileLayer::Write(int fd, const char* data, std::size_t size, std::size_t& written) {
    written = 0;
    if (fails(Step::Write, fd)) return Error;
    if (SpaceLeft == 0) return ENOSPC;
    std::size_t n = std::min({size, SpaceLeft, MaxPerWrite});
    int error = PosixFileLayer::Write(fd, data, n, written);
    SpaceLeft -= written;
    return error;
}

int FailingFileLayer::Close(int fd) {
    // The descriptor is released either way, as close(2) does.
    const bool failing = fails(Step::Close, fd);
    open_.erase(fd);
    int error = PosixFileLayer::Close(fd);
    return failing ? Error : error;
}

}  // namespace sequara::testing
