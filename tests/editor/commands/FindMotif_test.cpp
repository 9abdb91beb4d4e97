// One Find of the find dialog: where the cursors go, the restart question,
// and the cell texts it compares.
#include "editor/commands/FindMotif.h"
#include "tests/support/EditorDump.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

class FindMotifTest : public ::testing::Test {
protected:
    void SetUp() override {
        //                     col 1234567890
        f.Load("1|2|3|4|5|6|7|8|9|10", "ACGTACGTAC",
               {{"s0", "ACGTTTTTTT"}, {"s1", "TTTTacgTGG"}, {"s2", "RCG-ACGTGG"}});
    }
    // Runs one Find from (x, y); "col,row -> cursor col,row ref col" or the outcome.
    std::string find(const std::string& motif, int x, int y) {
        position = {x, y};
        switch (BtnFindClick(f.ctx, motif, position)) {
            case FindOutcome::EmptyMotif: return "empty";
            case FindOutcome::NotFound: return "not found";
            case FindOutcome::Found: break;
        }
        return std::to_string(position.X) + "," + std::to_string(position.Y) + " -> cursor " +
               std::to_string(f.view.SequenceGrid.Col()) + "," + std::to_string(f.view.SequenceGrid.Row()) +
               " ref " + std::to_string(f.view.ReferenceGrid.Col());
    }
    testing::EditorFixture f;
    SearchPosition position;
};

TEST_F(FindMotifTest, FindMovesBothCursorsToTheOccurrenceAndFindNextGoesOn) {
    EXPECT_EQ(find("acg", 1, 1), "1,1 -> cursor 1,0 ref 0");   // letter case ignored
    EXPECT_EQ(find("ACG", 1, 1), "1,1 -> cursor 1,0 ref 0");   // Find again: the same occurrence
    EXPECT_EQ(find("ACG", 2, 1), "5,2 -> cursor 5,1 ref 4");   // Find next: the next row's lower-case cells
    EXPECT_EQ(find("ACG", 6, 2), "5,3 -> cursor 5,2 ref 4");
    EXPECT_EQ(find("TGG", 1, 2), "8,2 -> cursor 8,1 ref 7");   // ends in the last column
    EXPECT_EQ(find("-", 1, 1), "4,3 -> cursor 4,2 ref 3");     // "-" is a character like any other
    EXPECT_EQ(find("N", 1, 1), "not found");                   // IUPAC codes are not expanded
    EXPECT_TRUE(f.platform.Messages().empty());
}

TEST_F(FindMotifTest, TheCursorsScrollToShowTheOccurrence) {
    f.view.SequenceGrid.SetVisibleExtent(3, 1);
    f.view.ReferenceGrid.SetVisibleExtent(3, 1);
    EXPECT_EQ(find("TGG", 1, 2), "8,2 -> cursor 8,1 ref 7");
    EXPECT_EQ(f.view.SequenceGrid.LeftCol(), 8);   // the whole occurrence in view
    EXPECT_EQ(f.view.SequenceGrid.TopRow(), 1);
}

TEST_F(FindMotifTest, NothingFoundAsksToRestartFromTheBeginning) {
    f.view.SequenceGrid.MoveTo(3, 1);
    // Occurrences left of and above the start come only after Yes.
    f.platform.AnswerYesNo(true);
    EXPECT_EQ(find("ACGT", 6, 3), "1,1 -> cursor 1,0 ref 0");
    ASSERT_EQ(f.platform.Questions(), std::vector<std::string>{kRestartSearchQuestion});
    EXPECT_EQ(f.platform.Events[0].caption, "Information");
    EXPECT_EQ(f.platform.Events[0].type, MessageType::Information);  // its icon too

    // No: the cursors and the position stay.
    f.view.SequenceGrid.MoveTo(3, 1);
    EXPECT_EQ(find("ACGT", 6, 3), "not found");
    EXPECT_EQ(position, (SearchPosition{6, 3}));
    EXPECT_EQ(f.view.SequenceGrid.Col(), 3);

    // A motif longer than the rows: every Yes asks again, until No.
    f.platform.Events.clear();
    f.platform.AnswerYesNo(true);
    f.platform.AnswerYesNo(true);
    EXPECT_EQ(find("ACGTACGTACG", 1, 1), "not found");
    EXPECT_EQ(f.platform.Questions().size(), 3u);
    EXPECT_EQ(position, (SearchPosition{1, 1}));
}

TEST_F(FindMotifTest, TheMismatchViewIsSearchedAsShownAndAnEmptyMotifIsRefused) {
    f.view.ShowMismatches = true;
    // Row s2 shows "..." over "RCG" (R agrees with A), then "-" and four dots.
    EXPECT_EQ(find("...-", 1, 1), "1,3 -> cursor 1,2 ref 0");
    EXPECT_EQ(find("TTT", 1, 1), "5,1 -> cursor 5,0 ref 4");
    EXPECT_EQ(find("ACG", 1, 1), "5,2 -> cursor 5,1 ref 4");  // lower-case cells differ from the reference
    std::string cells;
    ShownRowCells(f.ctx, 2, cells);
    EXPECT_EQ(cells, "...-....GG");

    f.platform.Events.clear();
    EXPECT_EQ(find("", 4, 2), "empty");
    EXPECT_EQ(f.platform.Messages(), std::vector<std::string>{"Please enter a search motif first"});
    EXPECT_EQ(position, (SearchPosition{4, 2}));
}

}  // namespace
}  // namespace sequara
