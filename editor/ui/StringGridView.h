#pragma once
// A string grid drawn from a model: fixed rows and columns, 1-pixel grid
// lines, scrolling by whole cells, a range selection and a current cell kept
// in a GridCursor.  Only the visible cells are painted, each through the
// GridCellPainter, so a grid of millions of cells costs nothing per cell that
// is not on screen.

#include "editor/AlignmentEditorModel.h"
#include "editor/GridCursor.h"

#include <QAbstractScrollArea>

namespace sequara {

class GridCellPainter {
public:
    virtual ~GridCellPainter() = default;
    // Width of a column in pixels, without its grid line.
    virtual int ColumnWidth(int col) const = 0;
    // Paints one cell into rect (the grid line around it is drawn already).
    virtual void PaintCell(QPainter& painter, const QRect& rect, int col, int row) = 0;
};

class StringGridView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kRowHeight = AlignmentEditorModel::kCellHeight;
    static constexpr int kLineWidth = 1;

    StringGridView(GridCursor& cursor, GridCellPainter& painter, QWidget* parent = nullptr);

    GridCursor& Cursor() { return cursor_; }
    // Shows or hides both scroll bars (the reference grid has none).
    void SetScrollBarsShown(bool shown);
    // The user may drag a row by its fixed cell to another place.
    void SetRowMoving(bool on) { rowMoving_ = on; }

    // Call after the grid's size, column widths or cursor changed in the
    // model: scroll bars, visible extent and a repaint.
    void Refresh();
    // The rectangle of a cell in viewport coordinates; empty when hidden.
    QRect CellRect(int col, int row) const;
    // The cell under a viewport point; false beyond the last row or column.
    bool CellAt(const QPoint& point, int& col, int& row) const;

signals:
    // The first visible column or row changed.
    void TopLeftChanged();
    // The current cell changed (by mouse or keyboard).
    void CurrentCellChanged(int col, int row);
    // A row was dragged from one place to another.
    void RowMoved(int fromIndex, int toIndex);
    // A key that the grid does not use for moving.
    void KeyPressed(QKeyEvent* event);
    // A right click, before the context menu opens.
    void RightClicked(const QPoint& viewportPoint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int fixedWidth() const;
    int fixedHeight() const;
    int columnLeft(int col) const;
    void updateVisibleExtent();
    void syncScrollBars();
    // Runs a cursor change and reports what moved.
    template <typename F> void changeCursor(F&& change);

    GridCursor& cursor_;
    GridCellPainter& painter_;
    bool scrollBarsShown_ = true;
    bool rowMoving_ = false;
    bool selecting_ = false;
    int dragRow_ = -1;
    bool syncing_ = false;
};

}  // namespace sequara
