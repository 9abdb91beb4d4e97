#include "editor/commands/SaveCommand.h"

#include "editor/WorkingStateAlignmentInput.h"
#include "editor/writers/ExportFiles.h"
#include "editor/writers/ExportFormats.h"
#include "sequence/BackupFile.h"
#include "editor/writers/WriteError.h"
#include "sequence/Utilities.h"

#include <filesystem>

namespace sequara {

std::vector<FileFilter> DialogFilters(std::string_view filter) {
    std::vector<std::string_view> parts;
    while (!filter.empty()) {
        const auto bar = filter.find('|');
        parts.push_back(filter.substr(0, bar));
        filter = bar == std::string_view::npos ? std::string_view() : filter.substr(bar + 1);
    }
    std::vector<FileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        filters.push_back({std::string(parts[i]), std::string(parts[i + 1])});
    return filters;
}

bool ButtonSaveClick(EditorContext& ctx, SaveSession& save, SaveServices services) {
    WorkingState& state = ctx.document.State();
    FileDialogOptions options;
    options.Filters = DialogFilters(SaveFilter(state.DataType));
    options.FilterIndex = save.FilterIndex;
    options.FileName = save.FileName;
    const std::optional<FileDialogResult> chosen = ctx.platform.ChooseSaveFile(options);
    if (!chosen) return false;
    save.FilterIndex = chosen->FilterIndex;
    save.FileName = chosen->FileName;

    std::string fileName = chosen->FileName;
    const std::string pattern = ExtensionPattern(chosen->FilterIndex, state.DataType);
    if (!pattern.empty()) ForceExtension(pattern, fileName);
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error))
        throw WriteError("The chosen name is a folder and cannot be written: " + fileName);
    if (services.Files.Exists(fileName) && !ctx.platform.AskYesNo(kOverwriteQuestion, "Warning")) return false;

    const WorkingStateAlignmentInput input(state);
    ExportOutcome outcome;
    ExportAlignment(input, fileName, chosen->FilterIndex, services.Files, services.Progress, outcome);
    if (outcome.TemporaryAlignmentWritten) ctx.document.MarkSaved();
    for (const std::string& notice : outcome.Notices) ctx.platform.ShowMessage(notice);

    save.Caption = fileName;
    ctx.platform.ProcessMessages();
    (void)services.Files.Remove(state.ApplicationFolder + BackupName(state.DataType));  // a missing file is fine
    return true;
}

bool AskSaveTemporaryAlignment(EditorContext& ctx, SaveSession& save, SaveServices services) {
    if (!ctx.platform.AskYesNo(kUnsavedQuestion, "Warning")) return true;
    save.FilterIndex = kCloseQuestionFilterIndex;
    return ButtonSaveClick(ctx, save, services);
}

}  // namespace sequara
