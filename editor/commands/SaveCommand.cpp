#include "editor/commands/SaveCommand.h"

#include "editor/WorkingStateAlignmentInput.h"
#include "editor/writers/ExportFiles.h"
#include "editor/writers/ExportFormats.h"
#include "sequence/BackupFile.h"
#include "editor/writers/WriteError.h"
#include "sequence/Utilities.h"

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

std::string OverwriteQuestion(const std::vector<std::string>& existing, const std::string& fileName) {
    if (existing.size() == 1 && existing[0] == fileName) return kOverwriteQuestion;
    std::string names;
    for (std::size_t i = 0; i < existing.size(); ++i)
        names += (i == 0 ? "" : i + 1 == existing.size() ? " and " : ", ") + existing[i];
    return (existing.size() == 1 ? "The file " + names + " already exists! Overwrite?"
                                 : "The files " + names + " already exist! Overwrite them?");
}

namespace {
// True, after saying so, when the alignment has no columns or no sequences:
// no reader could take its files back, so there is nothing to save.
bool nothingToSave(EditorContext& ctx) {
    const WorkingState& state = ctx.document.State();
    if (!AlignmentHasNoColumns(state) && !AlignmentHasNoSequences(state)) return false;
    ctx.platform.ShowMessage(AlignmentHasNoColumns(state) ? kNoColumnsMessage : kNoSequencesMessage);
    return true;
}
}  // namespace

bool ButtonSaveClick(EditorContext& ctx, SaveSession& save, SaveServices services) {
    const WorkingState& state = ctx.document.State();
    if (nothingToSave(ctx)) return false;
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
    // Every file this save replaces: the companion first, as it is written.
    std::vector<std::string> targets;
    if (chosen->FilterIndex != kTemporaryAlignmentFilterIndex) targets.push_back(CompanionAlignmentName(fileName));
    targets.push_back(fileName);

    for (const std::string& target : targets)
        if (const std::string kind = NonPlainFileKind(target); !kind.empty())
            throw WriteError("The chosen name is " + kind + " and cannot be written: " + target);
    // This data type's autosave would write over such a file within the
    // minute; the other's is offered for restoring at that type's next start
    // and deleted when the offer is declined.
    for (const std::string& target : targets) {
        for (const char* backupName : {kDnaBackupName, kAminoBackupName}) {
            if (!SameFile(target, state.ApplicationFolder + backupName)) continue;
            const bool own = BackupName(state.DataType) == backupName;
            ctx.platform.ShowMessage(
                "Cannot save as " + fileName + ": " + (target == fileName ? "this" : "its companion " + target) +
                " is the backup file" +
                (own ? ", which the editor overwrites every minute while it is open"
                     : std::string(" of ") + (backupName == kDnaBackupName ? "DNA" : "amino-acid") +
                           " runs, which their next start offers to restore and deletes when the offer is declined") +
                ". Please choose another name.");
            return false;
        }
    }
    // Both would be written to one file, and the last rename would win.
    if (targets.size() == 2 && SameFile(targets[0], targets[1])) {
        ctx.platform.ShowMessage(OneFilePairMessage(fileName, targets[0]));
        return false;
    }
    std::vector<std::string> existing;
    for (const std::string& target : targets)
        if (services.Files.Exists(target)) existing.push_back(target);
    if (!existing.empty() &&
        ctx.platform.AskYesNo(OverwriteQuestion(existing, fileName), "Warning", MessageType::Warning) !=
            YesNoAnswer::Yes)
        return false;

    const WorkingStateAlignmentInput input(state);
    ExportOutcome outcome;
    ExportAlignment(input, fileName, chosen->FilterIndex, services.Files, services.Progress, outcome);
    if (outcome.TemporaryAlignmentWritten) ctx.document.MarkSaved();
    for (const std::string& notice : outcome.Notices) ctx.platform.ShowMessage(notice);

    save.Caption = fileName;
    ctx.platform.ProcessMessages();
    // No target is a backup file (refused above), so this never removes a file just written.
    (void)services.Files.Remove(state.ApplicationFolder + BackupName(state.DataType));  // a missing file is fine
    return true;
}

bool AskSaveTemporaryAlignment(EditorContext& ctx, SaveSession& save, SaveServices services) {
    switch (ctx.platform.AskYesNo(kUnsavedQuestion, "Warning", MessageType::Warning)) {
        case YesNoAnswer::No: return true;
        case YesNoAnswer::Dismissed: return false;  // Escape never drops the work
        case YesNoAnswer::Yes: break;
    }
    if (nothingToSave(ctx)) return true;  // closing loses nothing a save could keep
    save.FilterIndex = kCloseQuestionFilterIndex;
    return ButtonSaveClick(ctx, save, services);
}

}  // namespace sequara
