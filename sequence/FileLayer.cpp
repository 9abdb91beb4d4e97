#include "sequence/FileLayer.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace sequara {

int PosixFileLayer::CreateTemporary(const std::string& target, std::string& temporaryName, int& fd) {
    struct stat st {};
    const bool targetExists = ::stat(target.c_str(), &st) == 0;
    static thread_local std::mt19937 random{std::random_device{}()};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = target + ".tmp";
        for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof(kLetters) - 1)];
        int opened = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (opened < 0) {
            if (errno == EEXIST) continue;
            return errno;
        }
        // A replaced file must not end up readable by more people than before.
        if (targetExists && ::fchmod(opened, st.st_mode & 07777) != 0) {
            const int error = errno;
            ::close(opened);
            ::unlink(name.c_str());
            return error;
        }
        temporaryName = std::move(name);
        fd = opened;
        return 0;
    }
    return EEXIST;
}

int PosixFileLayer::Write(int fd, const char* data, std::size_t size, std::size_t& written) {
    written = 0;
    for (;;) {
        ssize_t n = ::write(fd, data, size);
        if (n >= 0) {
            written = static_cast<std::size_t>(n);
            return 0;
        }
        if (errno != EINTR) return errno;
    }
}

int PosixFileLayer::Sync(int fd) { return ::fsync(fd) == 0 ? 0 : errno; }

int PosixFileLayer::Close(int fd) { return ::close(fd) == 0 ? 0 : errno; }

int PosixFileLayer::Rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int PosixFileLayer::Remove(const std::string& name) { return ::unlink(name.c_str()) == 0 ? 0 : errno; }

bool PosixFileLayer::Exists(const std::string& name) {
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0;
}

FileLayer& DefaultFileLayer() {
    static PosixFileLayer layer;
    return layer;
}

int WriteAll(FileLayer& files, int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        std::size_t written = 0;
        if (int error = files.Write(fd, data + done, size - done, written); error != 0) return error;
        // A write that takes nothing without an error would loop for ever;
        // the system does this only when the device is full.
        if (written == 0) return ENOSPC;
        done += written;
    }
    return 0;
}

int ReplaceFileWith(FileLayer& files, const std::string& fileName, const std::function<int(int fd)>& write) {
    namespace fs = std::filesystem;
    std::string target = fileName;
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::canonical(target, ec);
        if (!ec) target = resolved.string();
    }
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return EISDIR;

    std::string temporary;
    int fd = -1;
    if (int error = files.CreateTemporary(target, temporary, fd); error != 0) return error;
    bool open = true;
    int error = 0;
    try {
        error = write(fd);
        if (error == 0) error = files.Sync(fd);
        open = false;
        const int closeError = files.Close(fd);
        if (error == 0) error = closeError;
        if (error == 0) error = files.Rename(temporary, target);
    } catch (...) {
        if (open) (void)files.Close(fd);
        (void)files.Remove(temporary);
        throw;
    }
    if (error != 0) (void)files.Remove(temporary);
    return error;
}

int ReplaceFileContent(FileLayer& files, const std::string& fileName, std::string_view bytes) {
    return ReplaceFileWith(files, fileName, [&](int fd) { return WriteAll(files, fd, bytes.data(), bytes.size()); });
}

}  // namespace sequara
