#include "editor/ui/StringGridView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace sequara {

StringGridView::StringGridView(GridCursor& cursor, GridCellPainter& painter, QWidget* parent)
    : QAbstractScrollArea(parent), cursor_(cursor), painter_(painter) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setSingleStep(1);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(false);
}

void StringGridView::SetScrollBarsShown(bool shown) {
    scrollBarsShown_ = shown;
    const auto policy = shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

int StringGridView::fixedWidth() const {
    int w = 0;
    for (int c = 0; c < cursor_.FixedCols(); ++c) w += painter_.ColumnWidth(c) + kLineWidth;
    return w;
}

int StringGridView::fixedHeight() const { return cursor_.FixedRows() * (kRowHeight + kLineWidth); }

int StringGridView::columnLeft(int col) const {
    if (col < cursor_.FixedCols()) {
        int x = 0;
        for (int c = 0; c < col; ++c) x += painter_.ColumnWidth(c) + kLineWidth;
        return x;
    }
    // Character columns all have one width: no loop over the hidden ones.
    const int pitch = painter_.ColumnWidth(cursor_.FixedCols()) + kLineWidth;
    return fixedWidth() + (col - cursor_.LeftCol()) * pitch;
}

QRect StringGridView::CellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= cursor_.ColCount() || row >= cursor_.RowCount()) return {};
    if (col >= cursor_.FixedCols() && col < cursor_.LeftCol()) return {};
    if (row >= cursor_.FixedRows() && row < cursor_.TopRow()) return {};
    const int x = columnLeft(col);
    const int y = row < cursor_.FixedRows() ? row * (kRowHeight + kLineWidth)
                                            : fixedHeight() + (row - cursor_.TopRow()) * (kRowHeight + kLineWidth);
    QRect r(x, y, painter_.ColumnWidth(col), kRowHeight);
    if (!r.intersects(viewport()->rect())) return {};
    return r;
}

bool StringGridView::CellAt(const QPoint& point, int& col, int& row) const {
    if (point.x() < 0 || point.y() < 0) return false;
    const int fw = fixedWidth();
    if (point.x() < fw) {
        int x = 0;
        col = -1;
        for (int c = 0; c < cursor_.FixedCols(); ++c) {
            x += painter_.ColumnWidth(c) + kLineWidth;
            if (point.x() < x) { col = c; break; }
        }
    } else {
        const int pitch = painter_.ColumnWidth(cursor_.FixedCols()) + kLineWidth;
        col = cursor_.LeftCol() + (point.x() - fw) / pitch;
    }
    const int fh = fixedHeight();
    row = point.y() < fh ? point.y() / (kRowHeight + kLineWidth)
                         : cursor_.TopRow() + (point.y() - fh) / (kRowHeight + kLineWidth);
    return col >= 0 && col < cursor_.ColCount() && row >= 0 && row < cursor_.RowCount();
}

void StringGridView::updateVisibleExtent() {
    const int pitch = painter_.ColumnWidth(cursor_.FixedCols()) + kLineWidth;
    const int cols = (viewport()->width() - fixedWidth()) / pitch;
    const int rows = (viewport()->height() - fixedHeight()) / (kRowHeight + kLineWidth);
    cursor_.SetVisibleExtent(cols, rows);
}

void StringGridView::syncScrollBars() {
    syncing_ = true;
    horizontalScrollBar()->setRange(cursor_.FixedCols(), cursor_.MaxLeftCol());
    horizontalScrollBar()->setPageStep(std::max(1, cursor_.VisibleCols()));
    horizontalScrollBar()->setValue(cursor_.LeftCol());
    verticalScrollBar()->setRange(cursor_.FixedRows(), cursor_.MaxTopRow());
    verticalScrollBar()->setPageStep(std::max(1, cursor_.VisibleRows()));
    verticalScrollBar()->setValue(cursor_.TopRow());
    syncing_ = false;
}

void StringGridView::Refresh() {
    updateVisibleExtent();
    syncScrollBars();
    viewport()->update();
}

template <typename F> void StringGridView::changeCursor(F&& change) {
    const int left = cursor_.LeftCol(), top = cursor_.TopRow(), col = cursor_.Col(), row = cursor_.Row();
    const GridRect selection = cursor_.Selection();
    change();
    if (cursor_.LeftCol() != left || cursor_.TopRow() != top) {
        syncScrollBars();
        emit TopLeftChanged();
    }
    if (cursor_.Col() != col || cursor_.Row() != row) emit CurrentCellChanged(cursor_.Col(), cursor_.Row());
    if (!(selection == cursor_.Selection()) || cursor_.Col() != col || cursor_.Row() != row ||
        cursor_.LeftCol() != left || cursor_.TopRow() != top)
        viewport()->update();
}

void StringGridView::scrollContentsBy(int, int) {
    if (syncing_) return;
    changeCursor([&] {
        cursor_.SetLeftCol(horizontalScrollBar()->value());
        cursor_.SetTopRow(verticalScrollBar()->value());
    });
}

void StringGridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    changeCursor([&] { updateVisibleExtent(); });
    syncScrollBars();
}

void StringGridView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    const QRect area = event->rect();
    // Grid lines: the background between cells; beyond the last cell the
    // window colour.
    p.fillRect(area, palette().color(QPalette::Base));
    const int pitchY = kRowHeight + kLineWidth;
    const int lastCol = cursor_.ColCount() - 1;
    const int lastRow = cursor_.RowCount() - 1;
    if (lastCol < 0 || lastRow < 0) return;
    const QColor lineColor(0xA0, 0xA0, 0xA0);

    auto paintRow = [&](int row, int y) {
        auto paintCol = [&](int col, int x) {
            const int w = painter_.ColumnWidth(col);
            const QRect cell(x, y, w, kRowHeight);
            p.fillRect(QRect(x + w, y, kLineWidth, pitchY), lineColor);
            if (cell.intersects(area)) painter_.PaintCell(p, cell, col, row);
        };
        int x = 0;
        for (int c = 0; c < cursor_.FixedCols() && c <= lastCol; ++c) {
            paintCol(c, x);
            x += painter_.ColumnWidth(c) + kLineWidth;
        }
        for (int c = cursor_.LeftCol(); c <= lastCol && x < area.right() + 1; ++c) {
            paintCol(c, x);
            x += painter_.ColumnWidth(c) + kLineWidth;
        }
        p.fillRect(QRect(0, y + kRowHeight, x, kLineWidth), lineColor);
    };
    int y = 0;
    for (int r = 0; r < cursor_.FixedRows() && r <= lastRow; ++r, y += pitchY) paintRow(r, y);
    for (int r = cursor_.TopRow(); r <= lastRow && y < area.bottom() + 1; ++r, y += pitchY) paintRow(r, y);

    if (hasFocus()) {
        const QRect current = CellRect(cursor_.Col(), cursor_.Row());
        if (!current.isEmpty()) {
            QPen pen(Qt::black, 1, Qt::DotLine);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(current.adjusted(0, 0, -1, -1));
        }
    }
}

void StringGridView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    int col = 0, row = 0;
    if (event->button() == Qt::RightButton) {
        emit RightClicked(event->position().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton || !CellAt(event->position().toPoint(), col, row)) return;
    if (col < cursor_.FixedCols()) {
        if (rowMoving_ && row >= cursor_.FixedRows()) dragRow_ = row;
        return;
    }
    if (row < cursor_.FixedRows()) return;
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    selecting_ = true;
    changeCursor([&] { cursor_.MoveTo(col, row, extend); });
}

void StringGridView::mouseMoveEvent(QMouseEvent* event) {
    if (!selecting_) return;
    // The cell under the mouse, or beyond the view's edge the next hidden
    // one: dragging out of the view scrolls it a cell per move.
    const QPoint point = event->position().toPoint();
    const int pitchX = painter_.ColumnWidth(cursor_.FixedCols()) + kLineWidth;
    const int pitchY = kRowHeight + kLineWidth;
    const int col = point.x() < fixedWidth() ? cursor_.LeftCol() - 1
                                             : cursor_.LeftCol() + (point.x() - fixedWidth()) / pitchX;
    const int row = point.y() < fixedHeight() ? cursor_.TopRow() - 1
                                              : cursor_.TopRow() + (point.y() - fixedHeight()) / pitchY;
    changeCursor([&] { cursor_.MoveTo(col, row, true); });
}

void StringGridView::mouseReleaseEvent(QMouseEvent* event) {
    selecting_ = false;
    if (dragRow_ >= 0 && event->button() == Qt::LeftButton) {
        int col = 0, row = 0;
        QPoint point = event->position().toPoint();
        point.setX(0);
        const int from = dragRow_;
        dragRow_ = -1;
        if (!CellAt(point, col, row)) row = point.y() < fixedHeight() ? cursor_.TopRow() : cursor_.RowCount() - 1;
        if (row != from && row >= cursor_.FixedRows()) emit RowMoved(from, row);
    }
    dragRow_ = -1;
}

void StringGridView::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Left: changeCursor([&] { cursor_.MoveBy(-1, 0, shift); }); return;
    case Qt::Key_Right: changeCursor([&] { cursor_.MoveBy(1, 0, shift); }); return;
    case Qt::Key_Up: changeCursor([&] { cursor_.MoveBy(0, -1, shift); }); return;
    case Qt::Key_Down: changeCursor([&] { cursor_.MoveBy(0, 1, shift); }); return;
    case Qt::Key_PageUp: changeCursor([&] { cursor_.MoveBy(0, -cursor_.VisibleRows(), shift); }); return;
    case Qt::Key_PageDown: changeCursor([&] { cursor_.MoveBy(0, cursor_.VisibleRows(), shift); }); return;
    case Qt::Key_Home:
        changeCursor([&] { cursor_.MoveTo(cursor_.FixedCols(), ctrl ? cursor_.FixedRows() : cursor_.Row(), shift); });
        return;
    case Qt::Key_End:
        changeCursor([&] { cursor_.MoveTo(cursor_.ColCount() - 1, ctrl ? cursor_.RowCount() - 1 : cursor_.Row(), shift); });
        return;
    case Qt::Key_Tab: changeCursor([&] { cursor_.Tab(false); }); return;
    case Qt::Key_Backtab: changeCursor([&] { cursor_.Tab(true); }); return;
    default: emit KeyPressed(event); return;
    }
}

bool StringGridView::focusNextPrevChild(bool) { return false; }  // Tab moves between cells

void StringGridView::wheelEvent(QWheelEvent* event) {
    // A grid without scroll bars scrolls only with the grid it follows.
    if (!scrollBarsShown_) {
        event->ignore();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void StringGridView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void StringGridView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void StringGridView::contextMenuEvent(QContextMenuEvent* event) {
    // The window shows the popup menu through its RightClicked handler.
    event->accept();
}

}  // namespace sequara
