#include "sequence/TextFile.h"

#include <cerrno>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sequara {

bool TextLineReader::open(const std::string& fileName) {
    close();
    failed_ = false;
    // A folder opens with fopen on Linux but cannot be read; refuse it here.
    struct stat st {};
    if (::stat(fileName.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
    file_ = std::fopen(fileName.c_str(), "rb");
    return file_ != nullptr;
}

bool TextLineReader::next(std::string& line) {
    line.clear();
    if (!file_) return false;
    bool any = false;
    bool pendingCR = false;
    for (;;) {
        int c = std::getc(file_);
        if (c == EOF) {
            if (std::ferror(file_)) failed_ = true;
            return any;  // a stray CR at the very end is dropped
        }
        any = true;
        if (c == '\n') return true;  // a CR just before the LF belongs to the line end
        if (pendingCR) pendingCR = false;  // the CR was stray: dropped
        if (c == '\r') {
            pendingCR = true;
            continue;
        }
        line.push_back(static_cast<char>(c));
    }
}

bool TextLineReader::close() {
    if (!file_) return false;
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    bool any = false;
    for (char c : text) {
        any = true;
        if (c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            any = false;
        } else if (c != '\r') {
            current.push_back(c);
        }
    }
    if (any) lines.push_back(std::move(current));
    return lines;
}

bool FileExists(const std::string& fileName) {
    struct stat st {};
    return ::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ReplaceFileContent(const std::string& fileName, std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(fileName);
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::canonical(target, ec);
        if (!ec) target = resolved;
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        errno = EISDIR;
        return false;
    }
    fs::path folder = target.parent_path();
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = true;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (ok && left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        left -= std::size_t(n);
    }
    // A new file gets the usual permissions; an existing one keeps its own.
    mode_t mode = 0;
    if (exists) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (ok) ok = ::fchmod(fd, mode) == 0;
    if (ok) ok = ::fsync(fd) == 0;
    const int savedErrno = errno;
    if (::close(fd) != 0) ok = false;
    else errno = savedErrno;
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) ok = false;
    if (!ok) {
        const int cause = errno;
        ::unlink(temp.c_str());
        errno = cause;
    }
    return ok;
}

}  // namespace sequara
