#pragma once
// The navigation state of one string grid, without any drawing: its size,
// the fixed rows and columns, the current cell, the selection rectangle (from
// an anchor to the current cell) and the first visible row and column.  The
// editor window's grids forward mouse and keyboard actions here and draw what
// it says; the editor model reads the selection for its commands.

#include <cstdint>

namespace sequara {

struct GridRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool Contains(std::int32_t col, std::int32_t row) const {
        return Left <= col && col <= Right && Top <= row && row <= Bottom;
    }
    bool operator==(const GridRect&) const = default;
};

class GridCursor {
public:
    GridCursor(std::int32_t fixedCols, std::int32_t fixedRows) : fixedCols_(fixedCols), fixedRows_(fixedRows) {}

    // Resizing keeps the current cell and the selection inside the grid.
    void SetSize(std::int32_t colCount, std::int32_t rowCount);
    std::int32_t ColCount() const { return colCount_; }
    std::int32_t RowCount() const { return rowCount_; }
    std::int32_t FixedCols() const { return fixedCols_; }
    std::int32_t FixedRows() const { return fixedRows_; }

    std::int32_t Col() const { return col_; }
    std::int32_t Row() const { return row_; }
    const GridRect& Selection() const { return selection_; }

    // Moves the current cell (clamped to the selectable cells) and scrolls it
    // into view.  extend: the selection grows from the anchor (Shift, a mouse
    // drag); otherwise the selection becomes the current cell alone.
    void MoveTo(std::int32_t col, std::int32_t row, bool extend = false);
    void MoveBy(std::int32_t dCol, std::int32_t dRow, bool extend = false) { MoveTo(col_ + dCol, row_ + dRow, extend); }
    void SetCol(std::int32_t col) { MoveTo(col, row_); }
    void SetRow(std::int32_t row) { MoveTo(col_, row); }
    // Tab: one cell right, at a row's end the first cell of the next row.
    void Tab(bool backwards);

    // First visible scrollable column and row, and how many fit the view.
    std::int32_t LeftCol() const { return leftCol_; }
    std::int32_t TopRow() const { return topRow_; }
    void SetLeftCol(std::int32_t col);
    void SetTopRow(std::int32_t row);
    void SetVisibleExtent(std::int32_t cols, std::int32_t rows);
    std::int32_t VisibleCols() const { return visibleCols_; }
    std::int32_t VisibleRows() const { return visibleRows_; }
    std::int32_t MaxLeftCol() const;
    // A grid that follows another's scrolling may scroll until only its last
    // column shows (the grid it follows can be narrower, for instance by its
    // vertical scroll bar).
    void SetFollowsOtherGrid(bool on) { followsOther_ = on; }
    std::int32_t MaxTopRow() const;
    void ScrollIntoView(std::int32_t col, std::int32_t row);

private:
    std::int32_t clampCol(std::int32_t col) const;
    std::int32_t clampRow(std::int32_t row) const;

    std::int32_t fixedCols_;
    std::int32_t fixedRows_;
    std::int32_t colCount_ = 0;
    std::int32_t rowCount_ = 0;
    std::int32_t col_ = 0;
    std::int32_t row_ = 0;
    std::int32_t anchorCol_ = 0;
    std::int32_t anchorRow_ = 0;
    GridRect selection_;
    std::int32_t leftCol_ = 0;
    std::int32_t topRow_ = 0;
    std::int32_t visibleCols_ = 1;
    std::int32_t visibleRows_ = 1;
    bool followsOther_ = false;
};

}  // namespace sequara
