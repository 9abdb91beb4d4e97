#include "editor/writers/AtomicReplace.h"

#include "editor/writers/WriteError.h"

namespace sequara {

void ReplaceFile(FileLayer& files, const std::string& target, const std::function<void(ByteSink&)>& write) {
    std::string temporary;
    int fd = -1;
    if (int error = files.CreateTemporary(target, temporary, fd); error != 0)
        throw WriteError::FromErrno(target, error);
    bool open = true;
    try {
        ByteSink sink(files, fd, target);
        write(sink);
        sink.Flush();
        if (int error = files.Sync(fd); error != 0) throw WriteError::FromErrno(target, error);
        open = false;
        if (int error = files.Close(fd); error != 0) throw WriteError::FromErrno(target, error);
        if (int error = files.Rename(temporary, target); error != 0) throw WriteError::FromErrno(target, error);
    } catch (...) {
        if (open) (void)files.Close(fd);
        (void)files.Remove(temporary);
        throw;
    }
}

}  // namespace sequara
