#include "editor/commands/DisplayColours.h"

#include "sequence/SettingsWriter.h"

namespace sequara {

DisplayColours CurrentDisplayColours(const WorkingState& state) {
    return {state.HeaderColor,   state.ReferenceColor, state.MatchColor,
            state.MismatchColor, state.SelectionColor, state.HighlightColor};
}

void SetDisplayColours(WorkingState& state, const DisplayColours& colours) {
    state.HeaderColor = colours.Header;
    state.ReferenceColor = colours.Reference;
    state.MatchColor = colours.Match;
    state.MismatchColor = colours.Mismatch;
    state.SelectionColor = colours.Selection;
    state.HighlightColor = colours.Highlight;
}

void SaveDisplaySettings(EditorContext& ctx) {
    const WorkingState& state = ctx.document.State();
    WriteSettingsSection(state, DisplayParamsSection(state), ctx.platform);
}

}  // namespace sequara
