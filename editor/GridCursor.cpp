#include "editor/GridCursor.h"

#include <algorithm>

namespace sequara {

std::int32_t GridCursor::clampCol(std::int32_t col) const {
    return std::max(fixedCols_, std::min(col, std::max(fixedCols_, colCount_ - 1)));
}
std::int32_t GridCursor::clampRow(std::int32_t row) const {
    return std::max(fixedRows_, std::min(row, std::max(fixedRows_, rowCount_ - 1)));
}

void GridCursor::SetSize(std::int32_t colCount, std::int32_t rowCount) {
    colCount_ = std::max(0, colCount);
    rowCount_ = std::max(0, rowCount);
    col_ = clampCol(col_);
    row_ = clampRow(row_);
    anchorCol_ = clampCol(anchorCol_);
    anchorRow_ = clampRow(anchorRow_);
    selection_ = {std::min(anchorCol_, col_), std::min(anchorRow_, row_), std::max(anchorCol_, col_),
                  std::max(anchorRow_, row_)};
    SetLeftCol(leftCol_);
    SetTopRow(topRow_);
}

void GridCursor::MoveTo(std::int32_t col, std::int32_t row, bool extend) {
    col_ = clampCol(col);
    row_ = clampRow(row);
    if (!extend) {
        anchorCol_ = col_;
        anchorRow_ = row_;
    }
    selection_ = {std::min(anchorCol_, col_), std::min(anchorRow_, row_), std::max(anchorCol_, col_),
                  std::max(anchorRow_, row_)};
    ScrollIntoView(col_, row_);
}

void GridCursor::Tab(bool backwards) {
    if (!backwards) {
        if (col_ + 1 < colCount_) MoveTo(col_ + 1, row_);
        else if (row_ + 1 < rowCount_) MoveTo(fixedCols_, row_ + 1);
    } else {
        if (col_ > fixedCols_) MoveTo(col_ - 1, row_);
        else if (row_ > fixedRows_) MoveTo(colCount_ - 1, row_ - 1);
    }
}

std::int32_t GridCursor::MaxLeftCol() const {
    if (followsOther_) return std::max(fixedCols_, colCount_ - 1);
    return std::max(fixedCols_, colCount_ - std::max(1, visibleCols_));
}
std::int32_t GridCursor::MaxTopRow() const {
    return std::max(fixedRows_, rowCount_ - std::max(1, visibleRows_));
}

void GridCursor::SetLeftCol(std::int32_t col) { leftCol_ = std::max(fixedCols_, std::min(col, MaxLeftCol())); }
void GridCursor::SetTopRow(std::int32_t row) { topRow_ = std::max(fixedRows_, std::min(row, MaxTopRow())); }

void GridCursor::SetVisibleExtent(std::int32_t cols, std::int32_t rows) {
    visibleCols_ = std::max(1, cols);
    visibleRows_ = std::max(1, rows);
    SetLeftCol(leftCol_);
    SetTopRow(topRow_);
}

void GridCursor::ScrollIntoView(std::int32_t col, std::int32_t row) {
    if (col < leftCol_) SetLeftCol(col);
    else if (col >= leftCol_ + visibleCols_) SetLeftCol(col - visibleCols_ + 1);
    if (row < topRow_) SetTopRow(row);
    else if (row >= topRow_ + visibleRows_) SetTopRow(row - visibleRows_ + 1);
}

}  // namespace sequara
