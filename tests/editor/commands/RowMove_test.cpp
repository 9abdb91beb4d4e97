// The row drag: records move, characters and the highlighted grid row stay.
#include "editor/commands/RowMove.h"
#include "tests/support/EditorDump.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

TEST(RowMoveTest, TheDraggedRowMovesAndTheOthersCloseUp) {
    testing::EditorFixture f;
    f.Load("1|2", "AC", {{"r0", "AA"}, {"r1", "AC"}, {"r2", "AG"}, {"r3", "AT"}});
    f.view.ShowMismatches = true;
    f.view.HighlightedRow = 1;
    AlignedSequencesGridRowMoved(f.ctx, 0, 3);
    AlignedSequencesGridRowMoved(f.ctx, 3, 1);
    AlignedSequencesGridRowMoved(f.ctx, 2, 9);   // outside: nothing
    AlignedSequencesGridRowMoved(f.ctx, -1, 0);  // outside: nothing
    EXPECT_EQ(f.Dump(),
              "labels 1|2\nref rCRS: AC\n0 r1: AC\n1 r0: AA\n2 r2: AG\n3 r3: AT\n"
              "view cell 1,0 sel 1,0-1,0 highlight 1 mismatches on undo on saved no\n");
}

}  // namespace
}  // namespace sequara
