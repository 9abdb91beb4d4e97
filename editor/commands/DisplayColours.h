#pragma once
// The editor's six display colours: reading them for the colour dialog,
// taking the dialog's choice, and "S&ave settings".

#include "editor/commands/EditorCommand.h"
#include "sequence/WorkingState.h"

namespace sequara {

struct DisplayColours {
    TColor Header = 0;
    TColor Reference = 0;
    TColor Match = 0;
    TColor Mismatch = 0;
    TColor Selection = 0;
    TColor Highlight = 0;
    bool operator==(const DisplayColours&) const = default;
};

DisplayColours CurrentDisplayColours(const WorkingState& state);

// The colours confirmed in the colour dialog become the run's colours; the
// window repaints in them.  They are the run's settings, not the alignment's,
// so they are set on the run's state.
void SetDisplayColours(WorkingState& state, const DisplayColours& colours);

// "S&ave settings": writes the six colours into the settings file's DISPLAY_PARAMS section; a
// missing settings file is reported by the settings reader's own message and
// nothing is written.  Throws IniFileError when the file cannot be rewritten.
void SaveDisplaySettings(EditorContext& ctx);

}  // namespace sequara
