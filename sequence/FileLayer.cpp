#include "sequence/FileLayer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace sequara {

namespace {
// Temporary names: the target's name, ".tmp" and six of these.
constexpr char kTemporaryLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTemporaryLetterCount = 6;

// A fresh candidate among target's temporary names (IsTemporaryNameOf).
std::string temporaryNameFor(const std::string& target) {
    static thread_local std::mt19937 random{std::random_device{}()};
    std::string name = target + ".tmp";
    for (std::size_t i = 0; i < kTemporaryLetterCount; ++i)
        name += kTemporaryLetters[random() % (sizeof(kTemporaryLetters) - 1)];
    return name;
}
constexpr int kTemporaryNameAttempts = 100;
}  // namespace

int PosixFileLayer::CreateTemporary(const std::string& target, std::string& temporaryName, int& fd) {
    struct stat st {};
    const bool targetExists = ::stat(target.c_str(), &st) == 0;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        std::string name = temporaryNameFor(target);
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

int PosixFileLayer::Link(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

bool PosixFileLayer::Exists(const std::string& name) {
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0;
}

namespace {

std::string kindOf(mode_t mode) {
    if (S_ISREG(mode)) return "";
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a named pipe (FIFO)";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a plain file";
}

std::string refusalFor(const std::string& name, const std::string& kind) {
    return "Cannot read " + name + ": it is " + kind + ", not a plain file.";
}

}  // namespace

std::string NonPlainFileKind(const std::string& name) {
    struct stat st {};
    return ::stat(name.c_str(), &st) == 0 ? kindOf(st.st_mode) : std::string();
}

std::string ReplaceErrorText(const std::string& name, int error) {
    if (error == EISDIR)
        if (std::string kind = NonPlainFileKind(name); !kind.empty()) return "it is " + kind + ", not a plain file";
    return std::strerror(error);
}

std::FILE* OpenPlainFileForReading(const std::string& name, std::string& refusal) {
    refusal.clear();
    // Checked before opening, so that no device is ever opened, and again on
    // the open file, which was opened without waiting for a pipe's writer.
    if (std::string kind = NonPlainFileKind(name); !kind.empty()) {
        refusal = refusalFor(name, kind);
        errno = EINVAL;
        return nullptr;
    }
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        refusal = refusalFor(name, kindOf(st.st_mode));  // a failed fstat leaves mode 0: "not a plain file"
        ::close(fd);
        errno = EINVAL;
        return nullptr;
    }
    (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        const int error = errno;
        ::close(fd);
        errno = error;
    }
    return file;
}

namespace {
// The folder of a name that does not exist, by device and inode, and its
// last name; false when the folder cannot be reached or the name has no
// last part of its own ("", "." or "..").
bool folderAndLastName(const std::string& name, struct stat& folder, std::string& last) {
    namespace fs = std::filesystem;
    const fs::path path(name);
    last = path.filename().string();
    if (last.empty() || last == "." || last == "..") return false;
    const fs::path parent = path.parent_path();
    return ::stat(parent.empty() ? "." : parent.c_str(), &folder) == 0;
}
}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    const bool aExists = ::stat(a.c_str(), &sa) == 0;
    const bool bExists = ::stat(b.c_str(), &sb) == 0;
    if (aExists || bExists) return aExists && bExists && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    std::string lastA, lastB;
    if (folderAndLastName(a, sa, lastA) && folderAndLastName(b, sb, lastB))
        return lastA == lastB && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    namespace fs = std::filesystem;
    std::error_code errorA, errorB;
    const fs::path pathA = fs::weakly_canonical(fs::absolute(a, errorA), errorA);
    const fs::path pathB = fs::weakly_canonical(fs::absolute(b, errorB), errorB);
    return !errorA && !errorB && pathA == pathB;
}

bool IsTemporaryNameOf(const std::string& target, const std::string& candidate) {
    const std::string prefix = target + ".tmp";
    return candidate.size() == prefix.size() + kTemporaryLetterCount && candidate.starts_with(prefix) &&
           candidate.find_first_not_of(kTemporaryLetters, prefix.size()) == std::string::npos;
}

void RemoveTemporariesOf(FileLayer& files, const std::string& target) {
    namespace fs = std::filesystem;
    const fs::path path(target);
    const std::string last = path.filename().string();
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!IsTemporaryNameOf(last, it->path().filename().string())) continue;
        std::error_code statusError;
        if (it->symlink_status(statusError).type() == fs::file_type::regular)
            (void)files.Remove(path.parent_path().empty() ? it->path().filename().string() : it->path().string());
    }
}

int KeepAside(FileLayer& files, const std::string& name, std::string& keptName) {
    keptName.clear();
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        std::string candidate = temporaryNameFor(name);
        const int error = files.Link(name, candidate);
        if (error == EEXIST) continue;
        if (error == 0) keptName = std::move(candidate);
        return error;
    }
    return EEXIST;
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

int BeginReplacement(FileLayer& files, const std::string& fileName, ReplaceThrough through,
                     PreparedReplacement& prepared, int& fd) {
    namespace fs = std::filesystem;
    prepared = {};
    std::string target = fileName;
    if (through == ReplaceThrough::Links) {
        std::error_code ec;
        if (fs::is_symlink(target, ec)) {
            fs::path resolved = fs::canonical(target, ec);
            if (!ec) target = resolved.string();
        }
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return EISDIR;
    }
    std::string temporary;
    if (int error = files.CreateTemporary(target, temporary, fd); error != 0) return error;
    prepared.Target = std::move(target);
    prepared.Temporary = std::move(temporary);
    return 0;
}

int EndReplacement(FileLayer& files, PreparedReplacement& prepared, int fd, int error, bool sync) {
    if (error == 0 && sync) error = files.Sync(fd);
    const int closeError = files.Close(fd);
    if (error == 0) error = closeError;
    if (error != 0) DiscardReplacement(files, prepared);
    return error;
}

int PrepareReplacement(FileLayer& files, const std::string& fileName, const std::function<int(int fd)>& write,
                       PreparedReplacement& prepared) {
    int fd = -1;
    if (int error = BeginReplacement(files, fileName, ReplaceThrough::Links, prepared, fd); error != 0) return error;
    int error = 0;
    try {
        error = write(fd);
    } catch (...) {
        (void)EndReplacement(files, prepared, fd, EIO, false);
        throw;
    }
    return EndReplacement(files, prepared, fd, error, true);
}

int CompleteReplacement(FileLayer& files, PreparedReplacement& prepared) {
    const int error = files.Rename(prepared.Temporary, prepared.Target);
    if (error != 0) (void)files.Remove(prepared.Temporary);
    prepared = {};
    return error;
}

void DiscardReplacement(FileLayer& files, PreparedReplacement& prepared) {
    if (!prepared.Temporary.empty()) (void)files.Remove(prepared.Temporary);
    prepared = {};
}

int ReplaceFileWith(FileLayer& files, const std::string& fileName, const std::function<int(int fd)>& write) {
    PreparedReplacement prepared;
    if (int error = PrepareReplacement(files, fileName, write, prepared); error != 0) return error;
    return CompleteReplacement(files, prepared);
}

int ReplaceFileContent(FileLayer& files, const std::string& fileName, std::string_view bytes) {
    return ReplaceFileWith(files, fileName, [&](int fd) { return WriteAll(files, fd, bytes.data(), bytes.size()); });
}

}  // namespace sequara
