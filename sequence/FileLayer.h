#pragma once
// The few file operations that replacing a file needs, as an interface so
// that tests can make any of them fail, and the one way the program replaces
// a file on top of them.  Every operation reports failure as an errno value
// (0 = done) and never throws; deciding what a failure means is left to the
// caller.  PosixFileLayer is the real one.

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace sequara {

class FileLayer {
public:
    virtual ~FileLayer() = default;

    // Creates a new, empty file in the folder of target, under a name that did
    // not exist, with target's permissions when target exists (the usual ones
    // for a new file otherwise); opens it for writing and gives its name and
    // descriptor.
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
    // Gives the file from a second name (a hard link) that must not exist
    // yet: an existing name gives EEXIST and is left alone.
    virtual int Link(const std::string& from, const std::string& to) = 0;
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
    int Link(const std::string& from, const std::string& to) override;
    bool Exists(const std::string& name) override;
};

// What name is when it exists but is not a plain file (after following
// symbolic links): "a folder", "a named pipe (FIFO)", "a device", "a socket"
// or "not a plain file"; empty for a plain file or a missing name.
std::string NonPlainFileKind(const std::string& name);

// Why replacing name failed, for a message: for a name that is no plain file
// what it is ("it is a named pipe (FIFO), not a plain file"), else the
// system's text for error.
std::string ReplaceErrorText(const std::string& name, int error);

// Opens a plain file for reading without ever waiting for a writer: a
// folder, named pipe, device or socket is refused before anything is read.
// Returns the open file, or nullptr with refusal set to a one-line message
// naming the file and saying what it is (empty when the file could simply
// not be opened, errno then tells why).  Every reader opens its files here.
std::FILE* OpenPlainFileForReading(const std::string& name, std::string& refusal);

// True when both names reach one file.  When both exist: the same file by
// any spelling, hard link or symbolic link (same device and inode).  When
// neither exists yet: the same last name in the same folder, the folders
// compared by device and inode, so a folder reached by another path (a
// symbolic link, a bind mount) is the same folder.  A name that exists and
// one that does not are never the same file.
bool SameFile(const std::string& a, const std::string& b);

// True when candidate is one of the temporary files CreateTemporary makes
// for target (target, ".tmp", six lower-case letters or digits).
bool IsTemporaryNameOf(const std::string& target, const std::string& candidate);

// Removes, through files, the plain files of target's folder that are
// temporary files of target (IsTemporaryNameOf): what a process killed while
// writing one left behind.  Links, folders and every other name stay.
void RemoveTemporariesOf(FileLayer& files, const std::string& target);

// Gives the file name a second name among its temporary names (a hard
// link), so that it stays reachable when name is replaced; keptName is
// empty unless this returns 0.  A missing file gives ENOENT, a file system
// without hard links EPERM or similar.
int KeepAside(FileLayer& files, const std::string& name, std::string& keptName);

// The program's real file layer.
FileLayer& DefaultFileLayer();

// Writes all size bytes, however few each write takes.  A write that takes
// nothing without an error means a full device: ENOSPC.
int WriteAll(FileLayer& files, int fd, const char* data, std::size_t size);

// Replaces the file's whole content: write(fd) fills a complete temporary
// file in the same folder, which is then synced, closed and renamed over the
// file.  Through a symbolic link the file it points to is replaced and the
// link stays; a folder or anything else that is not a plain file is refused
// (EISDIR).  On any failure, an error from write included, the temporary file
// is removed and the old file is left byte for byte as it was; an exception
// out of write does the same and is passed on.  Returns 0 or an errno value.
int ReplaceFileWith(FileLayer& files, const std::string& fileName, const std::function<int(int fd)>& write);

// A replacement up to its last step: the complete temporary file (written,
// synced and closed) and the file it will be renamed over.
struct PreparedReplacement {
    std::string Target;     // the file replaced: a symbolic link's file, not the link
    std::string Temporary;  // empty when nothing is prepared
};

// What a replacement replaces when the name is a symbolic link.
enum class ReplaceThrough {
    Links,  // the file the link points to; a name that is no plain file is refused
    None,   // the name itself, whatever it holds now (link, named pipe): for the program's own files
};

// ReplaceFileWith without the rename, for files that must be replaced
// together: every one is prepared before any is completed.  On failure
// nothing is left behind and prepared stays empty; an exception out of write
// is passed on the same way.
int PrepareReplacement(FileLayer& files, const std::string& fileName, const std::function<int(int fd)>& write,
                       PreparedReplacement& prepared);

// PrepareReplacement in the steps of a writer that streams: BeginReplacement
// creates the temporary file and gives its descriptor; the caller writes
// (WriteAll) and hands its first error to EndReplacement, which syncs when
// asked, closes, and on any error removes the temporary file and leaves
// prepared empty.  Between the two, an abandoned replacement is ended with
// error != 0.
int BeginReplacement(FileLayer& files, const std::string& fileName, ReplaceThrough through,
                     PreparedReplacement& prepared, int& fd);
int EndReplacement(FileLayer& files, PreparedReplacement& prepared, int fd, int error, bool sync);
// Renames the prepared temporary file over its target.  On failure the
// temporary file is removed and the target is left as it was.  Either way
// prepared is empty afterwards.
int CompleteReplacement(FileLayer& files, PreparedReplacement& prepared);
// Removes a prepared temporary file that will not be used (nothing when
// prepared is empty); prepared is empty afterwards.
void DiscardReplacement(FileLayer& files, PreparedReplacement& prepared);

// ReplaceFileWith with the bytes as the new content.
int ReplaceFileContent(FileLayer& files, const std::string& fileName, std::string_view bytes);

}  // namespace sequara
