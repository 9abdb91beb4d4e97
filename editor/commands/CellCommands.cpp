#include "editor/commands/CellCommands.h"

#include "editor/commands/ColumnCommands.h"
#include "editor/commands/UndoCommands.h"

#include <algorithm>
#include <limits>

namespace sequara {

namespace {
// The selection lies on existing rows and alignment columns.
bool onCells(const AlignmentDocument& d, std::int32_t Left, std::int32_t Right, std::int32_t Top,
             std::int32_t Bottom) {
    return d.HasRow(Top) && d.HasRow(Bottom) && Top <= Bottom && Left >= 1 && Left <= Right &&
           Right <= d.ColumnCount();
}

bool acceptedKey(char key, const std::string& DataType) {
    static constexpr std::string_view kEveryType = "-ABCDGHKMNRSTVWY";
    if (kEveryType.find(key) != std::string_view::npos) return true;
    return DataType == "AMINO" && key >= 'A' && key <= 'Z' && key != 'J' && key != 'O';
}
}  // namespace

std::int32_t CountTrailingGaps(std::string_view S) {
    const std::size_t last = S.find_last_not_of('-');
    return static_cast<std::int32_t>(last == std::string_view::npos ? S.size() : S.size() - 1 - last);
}

std::int32_t CountLeadingGaps(std::string_view S) {
    const std::size_t first = S.find_first_not_of('-');
    return static_cast<std::int32_t>(first == std::string_view::npos ? S.size() : first);
}

void SetCellCharacter(EditorContext& ctx, std::int32_t Left, std::int32_t Right, std::int32_t Top,
                      std::int32_t Bottom, char C) {
    AlignmentDocument& d = ctx.document;
    if (!onCells(d, Left, Right, Top, Bottom)) return;
    for (std::int32_t r = Top; r <= Bottom; ++r) {
        std::string& s = d.EditRow(r);
        std::fill(s.begin() + (Left - 1), s.begin() + Right, C);
    }
}

void DeleteCellsShifting(EditorContext& ctx, std::int32_t Left, std::int32_t Right, std::int32_t Top,
                         std::int32_t Bottom) {
    AlignmentDocument& d = ctx.document;
    if (!onCells(d, Left, Right, Top, Bottom)) return;
    const std::int32_t W = Right - Left + 1;
    for (std::int32_t r = Top; r <= Bottom; ++r) {
        std::string& s = d.EditRow(r);
        if (ctx.view.DeletionMoveLeft) {
            // Characters right of the block close it; the row ends with W gaps.
            std::copy(s.begin() + Right, s.end(), s.begin() + (Left - 1));
            std::fill(s.end() - W, s.end(), '-');
        } else {
            // Characters left of the block close it; the row starts with W gaps.
            std::copy_backward(s.begin(), s.begin() + (Left - 1), s.begin() + Right);
            std::fill(s.begin(), s.begin() + W, '-');
        }
    }
}

void InsertCellsShifting(EditorContext& ctx, std::int32_t Left, std::int32_t Right, std::int32_t Top,
                         std::int32_t Bottom) {
    AlignmentDocument& d = ctx.document;
    if (!onCells(d, Left, Right, Top, Bottom)) return;
    const std::int32_t W = Right - Left + 1;
    const bool right = ctx.view.InsertionMoveRight;
    // Columns added at one end of the alignment give every row that many more
    // gaps there, so a row needs only what the rows before it left missing:
    // together the rows need W minus the fewest such gaps of any of them.
    std::int32_t fewest = std::numeric_limits<std::int32_t>::max();
    for (std::int32_t r = Top; r <= Bottom; ++r)
        fewest = std::min(fewest, right ? CountTrailingGaps(d.Row(r)) : CountLeadingGaps(d.Row(r)));
    const std::int32_t added = std::max(0, W - fewest);
    InsertGapColumn(ctx, added, right ? d.ColumnCount() + 1 : 1);
    for (std::int32_t r = Top; r <= Bottom; ++r) {
        std::string& s = d.EditRow(r);
        if (right) {
            // The text from Left on moves W places right into the trailing gaps.
            std::copy_backward(s.begin() + (Left - 1), s.end() - W, s.end());
            std::fill(s.begin() + (Left - 1), s.begin() + Right, '-');
        } else {
            // The block now stands at Left+added .. Right+added; the text up to
            // its end moves W places left into the leading gaps.
            const std::int32_t blockEnd = Right + added;
            std::copy(s.begin() + W, s.begin() + blockEnd, s.begin());
            std::fill(s.begin() + (blockEnd - W), s.begin() + blockEnd, '-');
        }
    }
}

bool AlignedSequencesGridKeyPress(EditorContext& ctx, char& Key) {
    if (Key >= 'a' && Key <= 'z') Key = static_cast<char>(Key - 'a' + 'A');
    if (Key == kCtrlF) return true;
    AlignmentDocument& d = ctx.document;
    if (d.RowCount() == 0) return false;
    GridCursor& grid = ctx.view.SequenceGrid;
    const GridRect s = grid.Selection();
    if (acceptedKey(Key, d.State().DataType)) {
        const std::int32_t col = grid.Col(), row = grid.Row();
        if (!d.HasRow(row) || col < 1 || col > d.ColumnCount()) return false;
        SaveUndoState(ctx);
        d.SetCharacter(col, row, Key);
        if (ctx.view.ChkMoveRight) {
            grid.SetCol(std::min(col + 1, grid.ColCount() - 1));
            ctx.view.ReferenceGrid.MoveTo(grid.Col() - 1, EditorView::kReferenceRow);
        }
    } else if (Key == kCtrlC) {
        CopySelection(ctx, s.Left, s.Right, s.Top, s.Bottom);
    } else if (Key == kCtrlV) {
        SaveUndoState(ctx);
        PasteSelection(ctx, s.Left, s.Right, s.Top, s.Bottom);
    }
    return false;
}

void AlignedSequencesGridKeyDown(EditorContext& ctx, int Key) {
    if (Key != kVirtualKeyInsert && Key != kVirtualKeyDelete) return;
    const GridRect s = ctx.view.Selection();
    if (!onCells(ctx.document, s.Left, s.Right, s.Top, s.Bottom)) return;
    SaveUndoState(ctx);
    if (Key == kVirtualKeyInsert) InsertCellsShifting(ctx, s.Left, s.Right, s.Top, s.Bottom);
    else DeleteCellsShifting(ctx, s.Left, s.Right, s.Top, s.Bottom);
}

void AlignmentGridPopupMenueItemChosen(EditorContext& ctx, std::string_view Caption) {
    std::string caption;
    for (char c : Caption)
        if (c != '&') caption += c;
    if (caption.size() < 3 || ctx.document.RowCount() == 0) return;
    const std::string_view key = std::string_view(caption).substr(0, 3);
    const GridRect s = ctx.view.Selection();
    if (key == "Hig") {
        ctx.view.HighlightedRow = ctx.view.SequenceGrid.Row();
        return;
    }
    if (key == "Dis") {
        ctx.view.HighlightedRow = -1;
        return;
    }
    if (key == "Cop") {
        CopySelection(ctx, s.Left, s.Right, s.Top, s.Bottom);
        return;
    }
    const bool character = caption[2] == '=';
    if (key != "Del" && key != "Ins" && key != "Rem" && key != "Pas" && !character) return;
    // A command on rows or cells: nothing where the selection lies off them.
    if (!ctx.document.HasRow(s.Top) || !ctx.document.HasRow(s.Bottom)) return;
    SaveUndoState(ctx);
    if (key == "Del") DeleteCellsShifting(ctx, s.Left, s.Right, s.Top, s.Bottom);
    else if (key == "Ins") InsertCellsShifting(ctx, s.Left, s.Right, s.Top, s.Bottom);
    else if (key == "Rem") RemoveSequences(ctx, s.Top, s.Bottom);
    else if (key == "Pas") PasteSelection(ctx, s.Left, s.Right, s.Top, s.Bottom);
    else SetCellCharacter(ctx, s.Left, s.Right, s.Top, s.Bottom, caption[0]);
}

std::vector<bool> PopupMenuItemsShown(std::size_t ItemCount, bool OnName) {
    std::vector<bool> shown(ItemCount, !OnName);
    for (std::size_t i = 5; i <= 7 && i < ItemCount; ++i) shown[i] = OnName;
    return shown;
}

void AlignedSequencesGridMouseDown(EditorContext& ctx, std::int32_t ClickedCol, std::int32_t ClickedRow) {
    if (!ctx.document.HasRow(ClickedRow) || ClickedCol < 0) return;
    GridCursor& grid = ctx.view.SequenceGrid;
    const GridRect block = grid.Selection();
    if (block.Contains(ClickedCol, ClickedRow)) return;
    // A name of one of the block's rows keeps the block too, so that
    // "Remove sequence" removes all its rows.
    if (ClickedCol == 0 && ClickedRow >= block.Top && ClickedRow <= block.Bottom) return;
    grid.MoveTo(ClickedCol > 0 ? ClickedCol : grid.Col(), ClickedRow);
    ctx.view.ReferenceGrid.MoveTo(grid.Col() - 1, EditorView::kReferenceRow);
}

}  // namespace sequara
