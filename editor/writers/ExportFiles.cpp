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
        if (filterIndex != kTemporaryAlignmentFilterIndex) {
            ReplaceFile(files, CompanionAlignmentName(fileName),
                        [&](ByteSink& out) { WriteTemporaryAlignment(input, out, services); });
            outcome.TemporaryAlignmentWritten = true;
        }
        const ExportFormat* format = ExportFormatByIndex(filterIndex);
        ReplaceFile(files, fileName, [&](ByteSink& out) {
            if (format) format->Write(input, out, services);
        });
        if (filterIndex == kTemporaryAlignmentFilterIndex) outcome.TemporaryAlignmentWritten = true;
    } catch (...) {
        progress.Hide();
        throw;
    }
    outcome.Notices = std::move(services.Notices);
}

}  // namespace sequara
