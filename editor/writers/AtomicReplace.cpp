#include "editor/writers/AtomicReplace.h"

#include "editor/writers/WriteError.h"

namespace sequara {

void ReplaceFile(FileLayer& files, const std::string& target, const std::function<void(ByteSink&)>& write) {
    const int error = ReplaceFileWith(files, target, [&](int fd) {
        ByteSink sink(files, fd, target);
        write(sink);
        sink.Flush();
        return 0;
    });
    if (error != 0) throw WriteError::FromErrno(target, error);
}

}  // namespace sequara
