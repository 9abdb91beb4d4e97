#pragma once
// The real file layer with faults a test asks for: a full device after a
// number of bytes, short writes, or an error from one chosen operation.
// Everything it does not fail is done for real on disk.

#include "sequence/FileLayer.h"

#include <cerrno>
#include <cstddef>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace sequara::testing {

class FailingFileLayer : public PosixFileLayer {
public:
    enum class Step { None, Create, Write, Sync, Close, Rename, Remove };
    Step FailAt = Step::None;
    int Error = 5;  // EIO
    // When set, FailAt fails only the temporary file of this target.
    std::string OnlyFor;
    // A file system without hard links: every Link fails with EPERM.
    bool NoLinks = false;
    // Bytes the device takes in all before it reports ENOSPC.
    std::size_t SpaceLeft = std::numeric_limits<std::size_t>::max();
    // Takes at most this many bytes per write call (short writes).
    std::size_t MaxPerWrite = std::numeric_limits<std::size_t>::max();
    // Every temporary file created, in order.
    std::vector<std::string> Temporaries;

    int CreateTemporary(const std::string& target, std::string& temporaryName, int& fd) override;
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override;
    int Sync(int fd) override { return fails(Step::Sync, fd) ? Error : PosixFileLayer::Sync(fd); }
    int Close(int fd) override;
    int Rename(const std::string& from, const std::string& to) override {
        return fails(Step::Rename, from) ? Error : PosixFileLayer::Rename(from, to);
    }
    int Remove(const std::string& name) override {
        return fails(Step::Remove, name) ? Error : PosixFileLayer::Remove(name);
    }
    int Link(const std::string& from, const std::string& to) override {
        return NoLinks ? EPERM : PosixFileLayer::Link(from, to);
    }

private:
    bool fails(Step step, int fd) const;
    bool fails(Step step, const std::string& temporary) const;
    std::map<int, std::string> open_;  // descriptor -> temporary file
};

}  // namespace sequara::testing
