#include "editor/writers/ExportFiles.h"

#include "editor/writers/AtomicReplace.h"
#include "editor/writers/ExportFormats.h"
#include "editor/writers/TemporaryAlignmentWriter.h"

#include <optional>

namespace sequara {

std::string CompanionAlignmentName(const std::string& fileName) {
    return fileName.substr(0, fileName.size() >= 3 ? fileName.size() - 3 : 0) + "ali";
}

void ExportAlignment(const AlignmentInput& alignment, const std::string& fileName, int filterIndex,
                     FileLayer& files, SaveProgress& progress, ExportOutcome& outcome) {
    const WriterInput input(alignment);
    WriterServices services(progress);
    try {
        // Both files are written complete (the companion first) before
        // either is renamed, so a writer refusing the alignment or a failure
        // while writing leaves the old pair; the two renames then follow
        // each other directly, the companion's first.
        std::optional<PendingReplacement> companion;
        if (filterIndex != kTemporaryAlignmentFilterIndex)
            companion.emplace(files, CompanionAlignmentName(fileName),
                              [&](ByteSink& out) { WriteTemporaryAlignment(input, out, services); });
        const ExportFormat* format = ExportFormatByIndex(filterIndex);
        PendingReplacement chosen(files, fileName, [&](ByteSink& out) {
            if (format) format->Write(input, out, services);
        });
        if (companion) {
            companion->PutInPlace();
            outcome.TemporaryAlignmentWritten = true;
        }
        chosen.PutInPlace();
        outcome.TemporaryAlignmentWritten = true;
    } catch (...) {
        progress.Hide();
        throw;
    }
    outcome.Notices = std::move(services.Notices);
}

}  // namespace sequara
