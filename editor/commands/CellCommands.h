#pragma once
// Cell editing in the sequence grid: typed characters, the Insert and Delete
// keys, the grid's popup menu and its right click.  Selections are sequence-
// grid coordinates (columns from 1 = alignment columns, rows from 0) in the
// order Left, Right, Top, Bottom.  Every command that changes characters,
// columns or rows takes the undo snapshot first; the mismatch view needs no
// refresh afterwards (the grid draws "." from the data).
//
// With an empty sequence list (every row removed; the grid then shows no
// character row) no cell command, key, popup entry or removal does anything:
// no snapshot, no change; only Ctrl+F still asks for the motif search.

#include "editor/commands/EditorCommand.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sequara {

inline constexpr int kVirtualKeyInsert = 45;
inline constexpr int kVirtualKeyDelete = 46;
inline constexpr char kCtrlC = 3;
inline constexpr char kCtrlF = 6;
inline constexpr char kCtrlV = 22;

// Number of "-" at the end / the start of S (0 for empty text).
std::int32_t CountTrailingGaps(std::string_view S);
std::int32_t CountLeadingGaps(std::string_view S);

// Writes C into every selected cell.
void SetCellCharacter(EditorContext& ctx, std::int32_t Left, std::int32_t Right, std::int32_t Top,
                      std::int32_t Bottom, char C);

// Each selected row loses its selected characters and keeps its length:
// "Shift cells left" (the deletion option) moves the characters right of the
// block W places left and ends the row with W gaps; "Shift cells right"
// moves those left of it W places right and starts the row with W gaps.
void DeleteCellsShifting(EditorContext& ctx, std::int32_t Left, std::int32_t Right, std::int32_t Top,
                         std::int32_t Bottom);

// Each selected row gets W gaps at its selected columns.  "Shift cells right"
// (the insertion option) moves the row's text from Left on W places right
// into its trailing gaps; "Shift cells left" moves its text up to and with
// the block W places left into its leading gaps.  Where a row lacks W such
// gaps, gap columns are added to the end (right) or the start (left) of the
// whole alignment: all the selected rows need are added at once, before any
// row moves, so every row's block stands where the added columns put it.
// Cost: one pass over every row when columns are added, else one per
// selected row.
void InsertCellsShifting(EditorContext& ctx, std::int32_t Left, std::int32_t Right, std::int32_t Top,
                         std::int32_t Bottom);

// A typed character.  "a".."z" become upper case in Key.  An accepted key
// (see below) is written into the current cell only, after the snapshot; the
// cursor then moves one column right when "Move right after having entered a
// nucleotide" is checked, but not past the last column.  Ctrl+C copies the
// selection, Ctrl+V pastes it after the snapshot.  Accepted: "-" and
// ABCDGHKMNRSTVWY for every data type, and every other letter but J and O
// for "AMINO".  True only for Ctrl+F: the caller then clicks Edit > Find
// motif.
bool AlignedSequencesGridKeyPress(EditorContext& ctx, char& Key);

// Insert (45) and Delete (46), whatever modifiers are held: snapshot, then
// InsertCellsShifting or DeleteCellsShifting on the selection.
void AlignedSequencesGridKeyDown(EditorContext& ctx, int Key);

// One popup entry by its caption (see the window's popup list): "Delete",
// "Insert", "Remove sequence", "Paste" and every "X = ..." character entry
// take the snapshot first; "Copy", "Highlight sequence" and "Disable
// highlighting" take none.  "&" in the caption is ignored.
void AlignmentGridPopupMenueItemChosen(EditorContext& ctx, std::string_view Caption);

// The popup entries a right click shows: on a name only "Remove sequence",
// "Highlight sequence" and "Disable highlighting" (entries 5 to 7),
// elsewhere every other entry.
std::vector<bool> PopupMenuItemsShown(std::size_t ItemCount, bool OnName);

// A right click on the cell (ClickedCol, ClickedRow), ClickedCol 0 being a
// name: inside the selection, or on the name of one of its rows, nothing
// changes, so the popup acts on the whole block; outside it the clicked cell becomes the current cell (a name sets
// only the row) and the reference grid follows.  The window calls it only
// where a cell lies under the click: elsewhere (beyond the last row or
// column) the click is ignored and no popup opens.
void AlignedSequencesGridMouseDown(EditorContext& ctx, std::int32_t ClickedCol, std::int32_t ClickedRow);

}  // namespace sequara
