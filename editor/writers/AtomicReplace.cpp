#include "editor/writers/AtomicReplace.h"

#include "editor/writers/WriteError.h"

#include <cerrno>

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
    replaced_ = prepared_.Target;
}

PendingReplacement::~PendingReplacement() { DiscardReplacement(files_, prepared_); }

void PendingReplacement::PutInPlace() {
    if (const int error = CompleteReplacement(files_, prepared_); error != 0)
        throw WriteError::FromErrno(target_, error);
}

void PutInPlaceTogether(PendingReplacement& first, PendingReplacement& second) {
    FileLayer& files = first.files_;
    struct Kept {
        FileLayer& files;
        std::string name;
        ~Kept() {
            if (!name.empty()) (void)files.Remove(name);
        }
    } kept{files, {}};
    const int keepError = KeepAside(files, first.replaced_, kept.name);
    first.PutInPlace();
    try {
        second.PutInPlace();
    } catch (const WriteError& failure) {
        int undone = 0;
        if (keepError == ENOENT) {
            undone = files.Remove(first.replaced_);
        } else if (keepError != 0) {
            undone = keepError;
        } else if ((undone = files.Rename(kept.name, first.replaced_)) == 0) {
            kept.name.clear();
        }
        if (undone == 0) throw;
        throw WriteError(std::string(failure.what()) + ". " + first.target_ +
                         " was already replaced and holds the new content; " + second.target_ +
                         " still holds its previous content.");
    }
}

void ReplaceFile(FileLayer& files, const std::string& target, const std::function<void(ByteSink&)>& write) {
    PendingReplacement(files, target, write).PutInPlace();
}

}  // namespace sequara
