#include "commands/ReferenceCommands.h"

#include "commands/RunSetup.h"
#include "sequence/FastaReader.h"

#include <algorithm>
#include <filesystem>

namespace sequara {

std::string MissingChosenReferenceMessage(const std::string& fileName) {
    return "Alignment cannot proceed. The specified file " + fileName +
           " is missing or corrupted. You may download a free example at " + kExampleReferencesAddress + ".";
}

NewReferenceOutcome LoadNewReference(WorkingState& state, Platform& platform, FileDialogOptions& dlgLoadReference) {
    const std::optional<FileDialogResult> chosen = platform.ChooseOpenFile(dlgLoadReference);
    if (!chosen) return NewReferenceOutcome::Cancelled;
    dlgLoadReference.FilterIndex = chosen->FilterIndex;
    dlgLoadReference.InitialFolder = std::filesystem::path(chosen->FileName).parent_path().string();

    // The candidate is checked in a state of its own, so that a refused file
    // leaves the run's reference as it was.
    WorkingState candidate;
    candidate.DataType = state.DataType;
    ReadFastaFile(chosen->FileName, candidate.ReferenceData, candidate.ReferenceNumbering, false, state.DataType,
                  platform);
    if (candidate.ReferenceData.empty()) candidate.ReferenceData.assign(1, TFastaSequence{});
    if (!CheckReference(candidate, platform, ReferenceCheckMoment::NewReference,
                        MissingChosenReferenceMessage(chosen->FileName),
                        "The previous reference sequence remains in use."))
        return NewReferenceOutcome::Refused;
    state.ReferenceData = std::move(candidate.ReferenceData);
    state.ReferenceNumbering = std::move(candidate.ReferenceNumbering);
    return NewReferenceOutcome::Accepted;
}

TReferenceSequences ReferenceChoices(const WorkingState& state) {
    TReferenceSequences choices;
    for (const TReferenceListEntry& entry : state.ReferenceList)
        choices.push_back({entry.Name, entry.Active, entry.Enabled});
    return choices;
}

void ApplyReferenceChoices(WorkingState& state, const TReferenceSequences& choices) {
    const std::size_t n = std::min(choices.size(), state.ReferenceList.size());
    for (std::size_t i = 0; i < n; ++i) {
        TReferenceListEntry& entry = state.ReferenceList[i];
        entry.Active = choices[i].Active;
        if (entry.Active) {
            state.ReferenceData = entry.Sequence;
            state.ReferenceNumbering = entry.Character;
        }
    }
}

}  // namespace sequara
