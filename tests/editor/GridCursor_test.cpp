// Cursor, selection and scrolling of a grid with fixed cells.
#include "editor/GridCursor.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

TEST(GridCursor, SelectionRunsFromTheAnchorAndSkipsFixedCells) {
    GridCursor g(1, 0);
    g.SetSize(11, 5);
    g.SetVisibleExtent(4, 2);
    EXPECT_EQ(g.Col(), 1);
    g.MoveTo(0, 0);  // the names column cannot be selected
    EXPECT_EQ(g.Col(), 1);
    g.MoveTo(5, 3);
    g.MoveTo(3, 1, true);
    EXPECT_EQ(g.Selection(), (GridRect{3, 1, 5, 3}));
    g.MoveBy(1, 0);
    EXPECT_EQ(g.Selection(), (GridRect{4, 1, 4, 1}));
    g.MoveTo(99, 99);
    EXPECT_EQ(g.Col(), 10);
    EXPECT_EQ(g.Row(), 4);
    // Scrolled so that the current cell shows.
    EXPECT_EQ(g.LeftCol(), 7);
    EXPECT_EQ(g.TopRow(), 3);
}

TEST(GridCursor, TabWrapsRowsAndShrinkingKeepsTheCursorInside) {
    GridCursor g(1, 0);
    g.SetSize(3, 2);
    g.MoveTo(2, 0);
    g.Tab(false);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
    g.Tab(true);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 0);
    g.MoveTo(2, 1);
    g.SetSize(2, 1);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(g.Selection(), (GridRect{1, 0, 1, 0}));
    g.SetSize(1, 0);  // no character column, no row: nothing breaks
    g.MoveBy(1, 1);
    g.Tab(false);
    EXPECT_EQ(g.LeftCol(), 1);
}

TEST(GridCursor, ReferenceGridSelectsOnlyItsLastRow) {
    GridCursor g(0, 5);
    g.SetSize(10, 6);
    g.MoveTo(3, 0);
    EXPECT_EQ(g.Row(), 5);
    g.MoveTo(6, 5, true);
    EXPECT_EQ(g.Selection(), (GridRect{3, 5, 6, 5}));
}

}  // namespace
}  // namespace sequara
