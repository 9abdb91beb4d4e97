#pragma once
// The alignment editor without its window: the reference grid (five header
// rows holding each column's label written downwards, then the reference
// row) over the sequence grid (a names column, then one character cell per
// alignment column and sequence), the view ("Show all" or "Show mismatches"),
// the highlighted row, the name-column zoom and both grids' cursors.
//
// The grids are not stored twice: the working state's aligned variables
// (AlignedReference, AlignedSequences, AlignedNumbering) are the cells, one
// byte per character cell.  Alignment column p (from 1) is character p of the
// reference row and of every sequence, label p-1, reference-grid column p-1
// and sequence-grid column p.  A header cell is the label's character of that
// row, or empty below the label's end; a character cell shows "." in the
// mismatch view where the character matches the reference.

#include "editor/EditorSession.h"
#include "editor/GridCursor.h"
#include "sequence/Records.h"
#include "sequence/WorkingState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sequara {

struct MatchTable;

// What one character cell of the sequence grid is painted with.
struct CellAppearance {
    TColor Background = 0;
    char Drawn = ' ';
    bool operator==(const CellAppearance&) const = default;
};

// Where the window places the reference grid and its labels over the
// sequence grid, in pixels.
struct EditorPlacement {
    std::int32_t ReferenceGridLeft = 0;
    std::int32_t ReferenceGridWidth = 0;
    std::int32_t ReferenceGridHeight = 0;
    std::int32_t SequenceGridTop = 0;
    std::int32_t ReferenceLabelLeft = 0;
    std::int32_t ReferenceNameLabelLeft = 0;
};

class AlignmentEditorModel {
public:
    static constexpr std::int32_t kCellWidth = 14;
    static constexpr std::int32_t kCellHeight = 16;
    static constexpr std::int32_t kReferenceGridRows = 6;
    static constexpr std::int32_t kHeaderRows = 5;
    static constexpr std::int32_t kReferenceRow = 5;
    static constexpr std::int32_t kMinimumNameWidth = 146;
    static constexpr std::int32_t kZoomStep = 10;
    static constexpr std::int32_t kTrackBarMax = 10;

    // The editor's state when its window is created: no highlighted row, not
    // saved, Undo enabled (so that an opening from the undo snapshot works),
    // the search starting at (1,1), "Show all", the narrowest name column.
    AlignmentEditorModel(WorkingState& state, EditorSession& session);

    // Captions of the sequence grid's popup menu: 23 for "DNA", 33 otherwise.
    static std::vector<std::string> PopupMenuCaptions(const std::string& DataType);

    // Fills the grids and the aligned working state from an automatic
    // alignment (row g of Alignment belongs to DataSet[g]; the reference is
    // Reference[0].Sequence; CharNames labels reference positions and may be
    // short or empty).  An empty DataSet changes nothing.  Undo is disabled
    // afterwards.  Cost: linear in rows x columns.
    void GenerateGrids(const TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                       const TFastaDataSet& Reference, const TCharacterName& CharNames);
    // Rebuilds the aligned working state from the grids: the reference row
    // named after the run's reference, every label as its header shows it
    // (at most 5 characters), every sequence exactly as long as the reference
    // row (a cell without a character reads as "-").
    void ReadAlignmentFromGrids();
    // The caption of the reference-name label: the name of ReferenceName[0].
    void SetReferenceName(const TFastaDataSet& ReferenceName);
    const std::string& ReferenceNameCaption() const { return referenceName_; }

    // Grid contents.  N = ColumnCount() reference-grid columns, N+1 sequence-
    // grid columns (column 0: names), SequenceCount() sequence-grid rows.
    std::int32_t ColumnCount() const;
    std::int32_t SequenceCount() const;
    char HeaderCell(std::int32_t col, std::int32_t row) const;       // '\0': empty cell
    char ReferenceCell(std::int32_t col) const;
    const std::string& NameCell(std::int32_t row) const;
    char SequenceCell(std::int32_t col, std::int32_t row) const;     // col >= 1; as shown
    // Background and character of a character cell (col >= 1), by exact
    // equality with the reference: selection over highlight over match.
    // False when the cell lies outside the data (nothing to paint).
    bool AlignedSequencesGridDrawCell(std::int32_t col, std::int32_t row, CellAppearance& out) const;
    // Background of a name cell: the highlight colour for the highlighted
    // row, else the header colour.
    TColor NameCellBackground(std::int32_t row) const;

    // The two views.  Checked "Show mismatches" shows "." for every character
    // that CharactersMatch accepts against its column's reference character.
    bool ShowMismatchesChecked() const { return showMismatches_; }
    void ShowMismatches() { showMismatches_ = true; }
    void ShowMismatchesRadioClick() { ShowMismatches(); }
    void ShowMatchesRadioClick() { showMismatches_ = false; }

    // Name-column zoom: the track bar's position 0..10 gives 146..246 pixels.
    std::int32_t TrackBarPosition() const { return trackBarPosition_; }
    void TrackBar1Change(std::int32_t position);
    void ApplyZoom();
    std::int32_t NameWidth() const { return nameWidth_; }
    void SetNameWidth(std::int32_t width) { nameWidth_ = width; }
    // Painting never lets the name column be narrower than 146 pixels: true
    // when it had to be widened (the window then places the grids anew).
    bool EnsureMinimumNameWidth();
    // Placement of the reference grid and labels over a sequence grid at
    // (sequenceGridLeft, any top) of the given width, the reference grid's
    // top being referenceGridTop.  Column p of both grids then lines up.
    EditorPlacement AdjustCellSizes(std::int32_t sequenceGridLeft, std::int32_t sequenceGridWidth,
                                    std::int32_t referenceGridTop) const;

    // The grids' cursors and scrolling; resized by every change of the data.
    GridCursor& SequenceGrid() { return sequenceGrid_; }
    GridCursor& ReferenceGrid() { return referenceGrid_; }
    const GridCursor& SequenceGrid() const { return sequenceGrid_; }
    const GridCursor& ReferenceGrid() const { return referenceGrid_; }
    // A row the user dragged from FromIndex to ToIndex: that sequence moves
    // there, the ones between move one place towards FromIndex; no
    // character changes (the mismatch view's "." is never taken into the
    // data).  The highlighted row keeps its grid row.  Indexes outside the
    // rows change nothing.
    void AlignedSequencesGridRowMoved(std::int32_t FromIndex, std::int32_t ToIndex);
    // The current cell moved in the sequence grid: while that grid has the
    // focus, the reference grid's current cell follows to the same
    // alignment column (row 5).
    void AlignedSequencesGridSelectCell(std::int32_t ACol, std::int32_t ARow, bool sequenceGridHasFocus);
    // The current cell moved in the reference grid: while that grid has the
    // focus, the sequence grid's current column follows.
    void ReferenceGridSelectCell(std::int32_t ACol, std::int32_t ARow, bool referenceGridHasFocus);
    // Scrolls the reference grid to the sequence grid's first visible column.
    void AlignedSequencesGridTopLeftChanged();
    // Sets both grids' sizes from the data.
    void SyncGridSizes();

    WorkingState& State() { return state_; }
    const WorkingState& State() const { return state_; }
    EditorSession& Session() { return session_; }

    // Window state kept with the model.
    bool Undo1Enabled = true;
    bool AlignmentSaved = false;
    bool Timer1Enabled = true;
    std::int32_t HighlightedRow = -1;
    std::int32_t SearchStartX = 1;
    std::int32_t SearchStartY = 1;
    bool ChkMoveRightChecked = true;
    bool InsertionMoveRightChecked = true;
    bool DeletionMoveLeftChecked = true;

private:
    const MatchTable& matches() const;

    WorkingState& state_;
    EditorSession& session_;
    std::string referenceName_ = "--";
    bool showMismatches_ = false;
    std::int32_t trackBarPosition_ = 0;
    std::int32_t nameWidth_ = kMinimumNameWidth;
    GridCursor sequenceGrid_{1, 0};
    GridCursor referenceGrid_ = [] {
        GridCursor cursor(0, kHeaderRows);
        cursor.SetFollowsOtherGrid(true);  // it scrolls with the sequence grid
        return cursor;
    }();
};

}  // namespace sequara
