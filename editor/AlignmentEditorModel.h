#pragma once
// The alignment editor without its window: the reference grid (five header
// rows holding each column's label written downwards, then the reference
// row) over the sequence grid (a names column, then one character cell per
// alignment column and sequence), the view ("Show all" or "Show mismatches"),
// the highlighted row, the name-column zoom and both grids' cursors.
//
// The model joins the editor's document (the alignment, AlignmentDocument)
// and its view state (EditorView) and says how the window draws them; the
// commands of editor/commands change both.  The grids are not stored twice:
// the working state's aligned variables are the cells, one byte per
// character cell.  Alignment column p (from 1) is character p of the
// reference row and of every sequence, label p-1, reference-grid column p-1
// and sequence-grid column p.  A header cell is the label's character of that
// row, or empty below the label's end; a character cell shows "." in the
// mismatch view where the character matches the reference.

#include "editor/AlignmentDocument.h"
#include "editor/EditorView.h"
#include "editor/RunContext.h"
#include "editor/commands/EditorCommand.h"
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
    static constexpr std::int32_t kReferenceGridRows = EditorView::kReferenceGridRows;
    static constexpr std::int32_t kHeaderRows = EditorView::kHeaderRows;
    static constexpr std::int32_t kReferenceRow = EditorView::kReferenceRow;
    static constexpr std::int32_t kMinimumNameWidth = EditorView::kMinimumNameWidth;
    static constexpr std::int32_t kTrackBarMax = EditorView::kTrackBarMax;

    // The editor's state when its window is created: no highlighted row, not
    // saved, Undo enabled (so that an opening from the undo snapshot works),
    // the search starting at (1,1), "Show all", the narrowest name column.
    explicit AlignmentEditorModel(RunContext& run);

    AlignmentDocument& Document() { return document_; }
    const AlignmentDocument& Document() const { return document_; }
    EditorView& View() { return view_; }
    const EditorView& View() const { return view_; }
    // What a command of editor/commands works on.
    EditorContext Context() { return EditorContext{document_, view_, run_.Session(), run_.platform()}; }

    // Captions of the sequence grid's popup menu: 23 for "DNA", 33 otherwise.
    static std::vector<std::string> PopupMenuCaptions(const std::string& DataType);

    // Fills the grids and the aligned working state from an automatic
    // alignment (row g of Alignment belongs to DataSet[g]; the reference is
    // Reference[0].Sequence; CharNames labels reference positions and may be
    // short or empty).  An empty DataSet changes nothing.  Undo is disabled
    // afterwards.  Cost: linear in rows x columns.
    void GenerateGrids(const TAlignmentResult& Alignment, const TFastaDataSet& DataSet,
                       const TFastaDataSet& Reference, const TCharacterName& CharNames);
    // See AlignmentDocument::ReadAlignmentFromGrids; then sizes the grids.
    void ReadAlignmentFromGrids();
    // The caption of the reference-name label: the name of ReferenceName[0].
    void SetReferenceName(const TAlignedDataSet& ReferenceName);
    void SetReferenceName(const TFastaDataSet& ReferenceName);
    const std::string& ReferenceNameCaption() const { return referenceName_; }

    // Grid contents.  N = ColumnCount() reference-grid columns, N+1 sequence-
    // grid columns (column 0: names), SequenceCount() sequence-grid rows.
    std::int32_t ColumnCount() const { return document_.ColumnCount(); }
    std::int32_t SequenceCount() const { return document_.RowCount(); }
    char HeaderCell(std::int32_t col, std::int32_t row) const;       // '\0': empty cell
    char ReferenceCell(std::int32_t col) const;
    const std::string& NameCell(std::int32_t row) const { return document_.Name(row); }
    // The start of a name that a name cell of the given width can show: no
    // character is narrower than a pixel, so at most about one character per
    // pixel (a name of megabytes is drawn as fast as a short one).
    std::string_view ShownName(std::int32_t row, std::int32_t widthPixels) const;
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
    bool ShowMismatchesChecked() const { return view_.ShowMismatches; }
    void ShowMismatches() { view_.ShowMismatches = true; }
    void ShowMismatchesRadioClick() { ShowMismatches(); }
    void ShowMatchesRadioClick() { view_.ShowMismatches = false; }

    // Name-column zoom: the track bar's position 0..10 gives 146..246 pixels.
    std::int32_t TrackBarPosition() const { return view_.TrackBarPosition; }
    void TrackBar1Change(std::int32_t position);
    void ApplyZoom();
    std::int32_t NameWidth() const { return view_.NameWidth; }
    void SetNameWidth(std::int32_t width) { view_.NameWidth = width; }
    // Painting never lets the name column be narrower than 146 pixels: true
    // when it had to be widened (the window then places the grids anew).
    bool EnsureMinimumNameWidth();
    // Placement of the reference grid and labels over a sequence grid at
    // (sequenceGridLeft, any top) of the given width, the reference grid's
    // top being referenceGridTop.  Column p of both grids then lines up.
    EditorPlacement AdjustCellSizes(std::int32_t sequenceGridLeft, std::int32_t sequenceGridWidth,
                                    std::int32_t referenceGridTop) const;

    // The grids' cursors and scrolling; resized by every change of the data.
    GridCursor& SequenceGrid() { return view_.SequenceGrid; }
    GridCursor& ReferenceGrid() { return view_.ReferenceGrid; }
    const GridCursor& SequenceGrid() const { return view_.SequenceGrid; }
    const GridCursor& ReferenceGrid() const { return view_.ReferenceGrid; }
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
    void SyncGridSizes() { view_.SyncGridSizes(document_); }

    WorkingState& State() { return run_.State(); }
    const WorkingState& State() const { return run_.State(); }
    EditorSession& Session() { return run_.Session(); }

private:
    const MatchTable& matches() const;

    RunContext& run_;
    AlignmentDocument document_;
    EditorView view_;
    std::string referenceName_ = "--";
};

}  // namespace sequara
