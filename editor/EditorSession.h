#pragma once
// What the editor keeps between its windows for the whole run: the single
// undo snapshot and the copy buffer.  The run object owns one.

#include "sequence/SharedText.h"

#include <string>
#include <vector>

namespace sequara {

struct EditorSession {
    // Six texts, one per reference-grid row, one character per column (a
    // blank for an empty header cell); empty until the first snapshot.
    std::vector<std::string> UndoReferenceRows;
    // One element per sequence-grid row: its name and aligned characters,
    // sharing them with the document until either side changes a row.
    TAlignedDataSet UndoSequences;
    // One text per copied row, all of the same length.
    std::vector<std::string> CopyBuffer;
};

}  // namespace sequara
