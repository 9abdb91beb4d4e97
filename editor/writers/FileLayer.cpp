#include "editor/writers/FileLayer.h"

#include "editor/writers/WriteError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace sequara {

WriteError WriteError::FromErrno(const std::string& fileName, int error) {
    return WriteError("Could not save " + fileName + ": " + std::strerror(error));
}

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
        if (targetExists) (void)::fchmod(opened, st.st_mode & 07777);
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

}  // namespace sequara
