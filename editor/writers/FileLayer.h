#pragma once
// The few file operations the save path needs, as an interface so that tests
// can make any of them fail.  Every operation reports failure as an errno
// value (0 = done) and never throws; deciding what a failure means is left
// to the caller.  PosixFileLayer is the real one.

#include <cstddef>
#include <string>

namespace sequara {

class FileLayer {
public:
    virtual ~FileLayer() = default;

    // Creates a new, empty file in the folder of target, under a name that did
    // not exist, with target's permissions when target exists; opens it for
    // writing and gives its name and descriptor.
    virtual int CreateTemporary(const std::string& target, std::string& temporaryName, int& fd) = 0;
    // Writes up to size bytes; written tells how many were taken (possibly
    // fewer than size without an error).
    virtual int Write(int fd, const char* data, std::size_t size, std::size_t& written) = 0;
    // Pushes everything written to the storage device.
    virtual int Sync(int fd) = 0;
    virtual int Close(int fd) = 0;
    // Replaces to by from in one step (both in the same folder).
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    // Deletes a file; a missing file gives ENOENT.
    virtual int Remove(const std::string& name) = 0;
    virtual bool Exists(const std::string& name) = 0;
};

class PosixFileLayer : public FileLayer {
public:
    int CreateTemporary(const std::string& target, std::string& temporaryName, int& fd) override;
    int Write(int fd, const char* data, std::size_t size, std::size_t& written) override;
    int Sync(int fd) override;
    int Close(int fd) override;
    int Rename(const std::string& from, const std::string& to) override;
    int Remove(const std::string& name) override;
    bool Exists(const std::string& name) override;
};

// The program's real file layer.
FileLayer& DefaultFileLayer();

}  // namespace sequara
