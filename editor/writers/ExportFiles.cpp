#include "editor/writers/ExportFiles.h"

#include "editor/writers/AtomicReplace.h"
#include "editor/writers/ExportFormats.h"
#include "editor/writers/TemporaryAlignmentWriter.h"
#include "editor/writers/WriteError.h"

#include <optional>

namespace sequara {

std::string CompanionAlignmentName(const std::string& fileName) {
    return fileName.substr(0, fileName.size() >= 3 ? fileName.size() - 3 : 0) + "ali";
}

std::string OneFilePairMessage(const std::string& fileName, const std::string& companion) {
    return "Cannot save as " + fileName + ": it and its companion " + companion +
           " are one file (one is a link to the other), so one would overwrite the other. Please choose another name.";
}

void ExportAlignment(const AlignmentInput& alignment, const std::string& fileName, int filterIndex,
                     FileLayer& files, SaveProgress& progress, ExportOutcome& outcome) {
    const bool withCompanion = filterIndex != kTemporaryAlignmentFilterIndex;
    const std::string companionName = CompanionAlignmentName(fileName);
    if (withCompanion && SameFile(fileName, companionName))
        throw WriteError(OneFilePairMessage(fileName, companionName));
    const WriterInput input(alignment);
    WriterServices services(progress);
    try {
        // Both files are written complete (the companion first) before
        // either is renamed, so a writer refusing the alignment or a failure
        // while writing leaves the old pair; the two renames then follow
        // each other directly, the companion's first.
        std::optional<PendingReplacement> companion;
        if (withCompanion)
            companion.emplace(files, companionName,
                              [&](ByteSink& out) { WriteTemporaryAlignment(input, out, services); });
        const ExportFormat* format = ExportFormatByIndex(filterIndex);
        PendingReplacement chosen(files, fileName, [&](ByteSink& out) {
            if (format) format->Write(input, out, services);
        });
        if (companion) PutInPlaceTogether(*companion, chosen);
        else chosen.PutInPlace();
    } catch (...) {
        progress.Hide();
        throw;
    }
    // The companion, or the chosen file when it is the temporary alignment.
    outcome.TemporaryAlignmentWritten = true;
    outcome.Notices = std::move(services.Notices);
}

}  // namespace sequara
