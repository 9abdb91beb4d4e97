#pragma once
// The real file layer with faults a test asks for: a full device after a
// number of bytes, short writes, or an error from one chosen operation.
// Everything it does not fail is done for real on disk.

#include "sequence/FileLayer.h"

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace sequara::testing {

class FailingFileLayer : public PosixFileLayer {
public:
    enum class Step { None, Create, Sync, Close, Rename };
    Step FailAt = Step::None;
    int Error = 5;  // EIO
    // Bytes the device takes in all before it reports ENOSPC.
    std::size_t SpaceLeft = std::numeric_limits<std::size_t>::max();
    // Takes at most this many bytes per write call (short writes).
    std::size_t MaxPerWrite = std::numeric_limits<std::size_t>::max();
    // Every temporary file created, in order.
    std::vector<std::string> Temporaries;

    int CreateTemporary(const std::string& target, std::string& temporaryName, int& fd) override;
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override;
    int Sync(int fd) override { return FailAt == Step::Sync ? Error : PosixFileLayer::Sync(fd); }
    int Close(int fd) override;
    int Rename(const std::string& from, const std::string& to) override {
        return FailAt == Step::Rename ? Error : PosixFileLayer::Rename(from, to);
    }
};

}  // namespace sequara::testing
