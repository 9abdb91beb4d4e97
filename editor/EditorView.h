#pragma once
// What the editor window shows of the document, apart from the document
// itself: both grids' cursors (current cell, selection, first visible row and
// column), the highlighted row, the view ("Show all" / "Show mismatches"),
// the name column's zoom, the shift and move options and where the next
// motif search starts.  Plain values: commands read and change them, the
// window draws them.  Grid coordinates follow the window's grids: the
// sequence grid's column 0 holds the names and column p alignment column p;
// the reference grid's column p-1 holds alignment column p, its rows 0-4 the
// label, row 5 the reference character.

#include "editor/GridCursor.h"

#include <cstdint>

namespace sequara {

class AlignmentDocument;

struct EditorView {
    static constexpr std::int32_t kReferenceGridRows = 6;
    static constexpr std::int32_t kHeaderRows = 5;
    static constexpr std::int32_t kReferenceRow = 5;
    static constexpr std::int32_t kMinimumNameWidth = 146;
    static constexpr std::int32_t kZoomStep = 10;
    static constexpr std::int32_t kTrackBarMax = 10;

    GridCursor SequenceGrid{1, 0};
    GridCursor ReferenceGrid = [] {
        GridCursor cursor(0, kHeaderRows);
        cursor.SetFollowsOtherGrid(true);  // it scrolls with the sequence grid
        return cursor;
    }();

    std::int32_t HighlightedRow = -1;   // -1: none
    bool ShowMismatches = false;        // "Show mismatches" checked
    bool ChkMoveRight = true;           // "Move right after having entered a nucleotide"
    bool InsertionMoveRight = true;     // "Insertion actions": "Shift cells right"
    bool DeletionMoveLeft = true;       // "Deletion actions": "Shift cells left"
    std::int32_t SearchStartX = 1;
    std::int32_t SearchStartY = 1;
    std::int32_t TrackBarPosition = 0;  // 0 .. 10
    std::int32_t NameWidth = kMinimumNameWidth;
    bool UndoEnabled = true;            // the Undo entry
    bool AutosaveEnabled = true;        // the autosave timer runs

    // The sequence grid's selection as the cell commands take it.
    const GridRect& Selection() const { return SequenceGrid.Selection(); }
    // Both grids sized to the document: N+1 and N columns, one row per
    // sequence (cursors clamped into the new size).
    void SyncGridSizes(const AlignmentDocument& document);
};

}  // namespace sequara
