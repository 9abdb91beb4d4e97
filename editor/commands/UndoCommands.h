#pragma once
// The single-level undo, the editor's own copy and paste of a block of
// characters, and the snapshot through which every loaded alignment enters a
// new editor.  Selections are sequence-grid coordinates: columns from 1
// (= alignment columns), rows from 0.

#include "editor/commands/EditorCommand.h"

#include <cstdint>

namespace sequara {

inline constexpr const char* kPasteSelectionMismatch =
    "The current selection does not fit to the previously copied selection!";
inline constexpr const char* kPasteTooBig = "Can not paste because the copied selection is too big!";

// Takes the snapshot of both grids into ctx.session (the six reference-grid
// rows as texts, a blank for an empty header cell; every row's name and
// characters) and enables Undo.  Costs O(rows + columns): the rows' characters
// are shared with the document, not copied.
void SaveUndoState(EditorContext& ctx);

// Puts the snapshot back: the labels come back from the header rows padded
// with blanks to 5 characters (an inserted column's label is five blanks),
// the reference row is named after the run's reference, and Undo is
// disabled.  Rows of different lengths are padded with "-" to the longest,
// never cut.  A snapshot without sequences gives back an empty sequence
// list; without a snapshot (no header rows) nothing happens.  Costs O(rows + columns) plus the padding.
void ButtonUndoClick(EditorContext& ctx);

// The snapshot of the aligned working state as it stands, the way the shell
// hands a loaded alignment to a new editor: every label written downwards
// over five header rows (blanks below its end, characters after the fifth
// dropped), the reference row as the sixth, the sequences as they are.
void StoreSnapshotFromWorkingState(EditorSession& session, const WorkingState& state);

// Copies characters FirstCol .. LastCol of rows FirstRow .. LastRow into the
// copy buffer (real characters, never the mismatch view's ".").  A selection
// reaching outside the rows (an empty sequence list) does nothing.
void CopySelection(EditorContext& ctx, std::int32_t FirstCol, std::int32_t LastCol, std::int32_t FirstRow,
                   std::int32_t LastRow);
// Writes the copy buffer over the selection (a block of its size) or with its
// top-left corner on a single selected cell; a block that does not fit shows
// kPasteSelectionMismatch or kPasteTooBig and changes nothing.  An empty
// buffer or an empty sequence list does nothing.
void PasteSelection(EditorContext& ctx, std::int32_t FirstCol, std::int32_t LastCol, std::int32_t FirstRow,
                    std::int32_t LastRow);

// The "Copy" and "Paste" commands on the sequence grid's selection; Paste
// takes the undo snapshot first.
void CopyCommand(EditorContext& ctx);
void PasteCommand(EditorContext& ctx);

}  // namespace sequara
