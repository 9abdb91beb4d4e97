#include "editor/writers/AtomicReplace.h"

#include "editor/writers/WriteError.h"

namespace sequara {

PendingReplacement::PendingReplacement(FileLayer& files, const std::string& target,
                                       const std::function<void(ByteSink&)>& write)
    : files_(files), target_(target) {
    const int error = PrepareReplacement(files, target, [&](int fd) {
        ByteSink sink(files, fd, target);
        write(sink);
        sink.Flush();
        return 0;
    }, prepared_);
    if (error != 0) throw WriteError::FromErrno(target, error);
}

PendingReplacement::~PendingReplacement() { DiscardReplacement(files_, prepared_); }

void PendingReplacement::PutInPlace() {
    if (const int error = CompleteReplacement(files_, prepared_); error != 0)
        throw WriteError::FromErrno(target_, error);
}

void ReplaceFile(FileLayer& files, const std::string& target, const std::function<void(ByteSink&)>& write) {
    PendingReplacement(files, target, write).PutInPlace();
}

}  // namespace sequara
