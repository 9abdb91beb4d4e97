#pragma once
// Replacing a file without ever destroying the previous one: the new content
// goes to a temporary file in the target's folder, which is flushed, synced,
// closed and checked, and only then renamed over the target.

#include "editor/writers/ByteSink.h"
#include "sequence/FileLayer.h"

#include <functional>
#include <string>

namespace sequara {

// Writes target with write(sink), by ReplaceFileWith (a symbolic link's file
// is replaced, anything but a plain file refused).  On any failure (WriteError
// from the file layer or any exception out of write) the temporary file is
// removed, the old target is left byte for byte as it was, and the exception
// is passed on.  Cost: the bytes written, once.
void ReplaceFile(FileLayer& files, const std::string& target, const std::function<void(ByteSink&)>& write);

// ReplaceFile in two steps, for files that are replaced together: the
// constructor writes the complete temporary file (written, flushed, synced,
// closed) and leaves the target untouched; PutInPlace, called once, renames
// it over the target.  A temporary file never put in place is removed when
// the object goes, so a failure anywhere before the first PutInPlace leaves
// every file as it was.  Both steps throw WriteError naming target.
class PendingReplacement {
public:
    PendingReplacement(FileLayer& files, const std::string& target, const std::function<void(ByteSink&)>& write);
    ~PendingReplacement();
    PendingReplacement(const PendingReplacement&) = delete;
    PendingReplacement& operator=(const PendingReplacement&) = delete;

    void PutInPlace();

private:
    friend void PutInPlaceTogether(PendingReplacement& first, PendingReplacement& second);
    FileLayer& files_;
    std::string target_;    // as given
    std::string replaced_;  // the file the rename replaces: a symbolic link's file
    PreparedReplacement prepared_;
};

// Puts first and then second in place, as a pair.  The old first file stays
// reachable under a temporary name until second is in place, so when
// second's rename fails the old first file is put back (a first file that
// did not exist is removed again) and the WriteError is second's, with both
// files as they were.  Only when that cannot be done (no hard links, or the
// putting back fails too) does the WriteError say that first holds the new
// content and second its previous one.  A failure of first's rename changes
// neither file.
void PutInPlaceTogether(PendingReplacement& first, PendingReplacement& second);

}  // namespace sequara
