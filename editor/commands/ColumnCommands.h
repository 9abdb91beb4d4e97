#pragma once
// Commands that change the alignment's shape: gap columns, deleting inserted
// columns from the reference grid's popup, removing sequences, and the
// reference grid's right click.  Reference-grid columns count from 0
// (alignment column k+1), sequence-grid rows from 0.  With an empty sequence
// list (every row removed) the two popup commands do nothing at all: no
// snapshot, no change.

#include "editor/commands/EditorCommand.h"

#include <cstdint>

namespace sequara {

inline constexpr const char* kOnlyInsertionsMessage = "Only Insertions can be deleted.";
inline constexpr const char* kMutationQuestion =
    "The specified character includes at least one mutation. Do you really want to delete?";
inline constexpr const char* kMutationCaption = "Warning";

// Count gap columns starting at alignment column Column (1 .. N+1): empty
// labels, "-" in the reference and every row; the columns from Column on move
// Count places right.  Nothing for Count <= 0 or a column outside.  No undo
// snapshot (callers take it).  Cost: one pass over every row.
void InsertGapColumn(EditorContext& ctx, std::int32_t Count, std::int32_t Column);

// "Insert character": snapshot, then one gap column in place of the reference
// grid's current column ("Shift cells right") or directly after it ("Shift
// cells left").
void Insertcharacter2Click(EditorContext& ctx);

// "Delete character" over the reference grid's selected columns, right to
// left: a labelled column stays (kOnlyInsertionsMessage, once per command);
// an inserted column goes, except that a column where some row differs from
// the reference asks kMutationQuestion once per command and, after No, such
// columns stay.  Snapshot first, also when nothing goes.  Every deleted
// column goes in one pass over the rows.
void Deletecharacter2Click(EditorContext& ctx);

// Removes sequences Top .. Bottom (clamped to the rows; nothing with an
// empty sequence list).  No undo snapshot (the popup entry takes it).
void RemoveSequences(EditorContext& ctx, std::int32_t Top, std::int32_t Bottom);

// A right click on reference-grid column ClickedCol: outside the selected
// columns it becomes the current column and the sequence grid's current
// column follows; inside them nothing changes, so the popup acts on the
// whole selection.  The window calls it only where a cell lies under the
// click (elsewhere the click is ignored and no popup opens).
void ReferenceGridMouseDown(EditorContext& ctx, std::int32_t ClickedCol);

}  // namespace sequara
