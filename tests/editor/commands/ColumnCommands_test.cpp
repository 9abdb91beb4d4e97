// Inserting a gap column beside the current one, deleting inserted columns with the refusal and the mutation
// question, removing sequences and the reference grid's right click.
#include "editor/commands/ColumnCommands.h"
#include "editor/commands/UndoCommands.h"
#include "tests/support/EditorDump.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::EditorFixture;

TEST(ColumnCommandsTest, InsertCharacterBesideTheCurrentColumn) {
    struct Case {
        bool shiftRight;
        int current;  // reference-grid column
        const char* ref;
    };
    for (const Case c : {Case{true, 1, "A-CG"}, Case{false, 1, "AC-G"}, Case{false, 2, "ACG-"}, Case{true, 2, "AC-G"}}) {
        EditorFixture f;
        f.Load("1|2|3", "ACG", {{"s", "ACG"}});
        f.view.InsertionMoveRight = c.shiftRight;
        f.view.ReferenceGrid.MoveTo(c.current, 5);
        f.view.UndoEnabled = false;
        Insertcharacter2Click(f.ctx);
        EXPECT_EQ(f.document.ReferenceRow() + " " + f.document.Row(0), std::string(c.ref) + " " + c.ref);
        EXPECT_EQ(f.view.SequenceGrid.ColCount(), 5);
        EXPECT_TRUE(f.view.UndoEnabled);
        ButtonUndoClick(f.ctx);
        EXPECT_EQ(f.document.ReferenceRow(), "ACG");
    }
}

TEST(ColumnCommandsTest, DeleteCharacterAsksOnceAndRefusesLabelledColumns) {
    struct Case {
        const char* what;
        int left, right;  // reference-grid selection
        std::deque<bool> answers;
        const char* ref;  // reference row after the command
        std::vector<std::string> shown;  // messages, then questions
        const char* s2 = "A---G";        // "AC--G": column 2 holds a base too
    };
    // Columns 2-4 are inserted (blank or empty labels); column 3 holds a base.
    const Case cases[] = {
        {"Yes deletes all three", 1, 3, {true}, "AG", {kMutationQuestion}},
        {"No keeps the one with a base", 1, 3, {false}, "A-G", {kMutationQuestion}},
        {"mixed: the message once", 0, 4, {true}, "AG", {kOnlyInsertionsMessage, kMutationQuestion}},
        {"gaps only: no question", 3, 3, {}, "A--G", {}},
        {"labelled only", 4, 4, {}, "A---G", {kOnlyInsertionsMessage}},
        {"two with a base, Yes: asked once", 1, 3, {true}, "AG", {kMutationQuestion}, "AC--G"},
        {"two with a base, No: both stay", 1, 3, {false}, "A--G", {kMutationQuestion}, "AC--G"},
    };
    for (const Case& c : cases) {
        EditorFixture f;
        f.Load("1|_____||_|2", "A---G", {{"s1", "A-T-G"}, {"s2", c.s2}});
        f.view.ReferenceGrid.MoveTo(c.left, 5);
        f.view.ReferenceGrid.MoveTo(c.right, 5, true);
        f.view.UndoEnabled = false;
        for (bool yes : c.answers) f.platform.AnswerYesNo(yes);
        Deletecharacter2Click(f.ctx);
        EXPECT_EQ(f.document.ReferenceRow(), c.ref) << c.what;
        std::vector<std::string> shown = f.platform.Messages();
        for (const std::string& q : f.platform.Questions()) shown.push_back(q);
        EXPECT_EQ(shown, c.shown) << c.what;
        if (!f.platform.Questions().empty()) {
            EXPECT_EQ(f.platform.Events.back().caption, kMutationCaption);
        }
        EXPECT_TRUE(f.view.UndoEnabled) << c.what;  // the snapshot, also when nothing went
        EXPECT_EQ(f.view.SequenceGrid.ColCount(), f.document.ColumnCount() + 1);
    }
}

TEST(ColumnCommandsTest, RemovingRowsAndTheReferenceGridsRightClick) {
    EditorFixture f;
    f.Load("1|2", "AC", {{"r0", "AA"}, {"r1", "AC"}, {"r2", "AG"}, {"r3", "AT"}, {"r4", "CC"}});
    f.Select(2, 4, 2, 4);
    RemoveSequences(f.ctx, 1, 3);
    EXPECT_EQ(f.Dump(), "labels 1|2\nref rCRS: AC\n0 r0: AA\n1 r4: CC\n"
                        "view cell 2,1 sel 2,1-2,1 highlight -1 mismatches off undo on saved no\n");
    RemoveSequences(f.ctx, 0, 1);
    RemoveSequences(f.ctx, 0, 0);  // nothing left to remove
    EXPECT_EQ(f.document.RowCount(), 0);
    // No row: the column commands do nothing either, not even a snapshot.
    f.view.UndoEnabled = false;
    Insertcharacter2Click(f.ctx);
    Deletecharacter2Click(f.ctx);
    EXPECT_EQ(f.document.ColumnCount(), 2);
    EXPECT_FALSE(f.view.UndoEnabled);

    // Right click: inside the selected columns nothing moves; outside, both
    // grids' current columns follow the click.
    f.Load("1|2|3|4", "ACGT", {{"s", "ACGT"}});
    f.view.ReferenceGrid.MoveTo(1, 5);
    f.view.ReferenceGrid.MoveTo(2, 5, true);
    ReferenceGridMouseDown(f.ctx, 1);
    EXPECT_EQ(f.view.ReferenceGrid.Selection(), (GridRect{1, 5, 2, 5}));
    ReferenceGridMouseDown(f.ctx, 3);
    EXPECT_EQ(f.view.ReferenceGrid.Selection(), (GridRect{3, 5, 3, 5}));
    EXPECT_EQ(f.view.SequenceGrid.Col(), 4);
}

}  // namespace
}  // namespace sequara
