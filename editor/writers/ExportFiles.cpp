#include "editor/writers/ExportFiles.h"

#include "editor/writers/AtomicReplace.h"
#include "editor/writers/ExportFormats.h"
#include "editor/writers/TemporaryAlignmentWriter.h"

namespace sequara {

std::string CompanionAlignmentName(const std::string& fileName) {
    return fileName.substr(0, fileName.size() >= 3 ? fileName.size() - 3 : 0) + "ali";
}

void ExportAlignment(const AlignmentInput& alignment, const std::string& fileName, int filterIndex,
                     FileLayer& files, SaveProgress& progress, ExportOutcome& outcome) {
    const WriterInput input(alignment);
    WriterServices services(progress);
    try {
        // The chosen format goes to its temporary file first, so that a writer
        // refusing the alignment leaves every file as it was; the companion is
        // put in place before the chosen file.
        const ExportFormat* format = ExportFormatByIndex(filterIndex);
        ReplaceFile(files, fileName, [&](ByteSink& out) {
            if (format) format->Write(input, out, services);
            if (filterIndex == kTemporaryAlignmentFilterIndex) return;
            ReplaceFile(files, CompanionAlignmentName(fileName),
                        [&](ByteSink& companion) { WriteTemporaryAlignment(input, companion, services); });
            outcome.TemporaryAlignmentWritten = true;
        });
        if (filterIndex == kTemporaryAlignmentFilterIndex) outcome.TemporaryAlignmentWritten = true;
    } catch (...) {
        progress.Hide();
        throw;
    }
    outcome.Notices = std::move(services.Notices);
}

}  // namespace sequara
