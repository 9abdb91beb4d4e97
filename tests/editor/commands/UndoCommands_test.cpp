// Single-level undo, copy and paste with both fit rules, the snapshot that
// opens a loaded alignment, and the command boundary that puts everything
// back when a command runs out of memory.
#include "editor/commands/UndoCommands.h"
#include "tests/support/EditorDump.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdio>
#include <new>
#include <stdexcept>

namespace sequara {
namespace {

using testing::DumpSession;
using testing::EditorFixture;

class UndoTest : public ::testing::Test {
protected:
    UndoTest() {
        f.Load("16024|16025||16026|1", "AC-GT", {{"s1", "ACTGT"}, {"s2", "TC-GA"}, {"s3", "-----"}});
        f.view.UndoEnabled = false;
    }
    EditorFixture f;
};

TEST_F(UndoTest, SnapshotThenUndoRestoresEverythingWithLabelsPaddedToFiveCharacters) {
    SaveUndoState(f.ctx);
    EXPECT_EQ(DumpSession(f.run.Session()),
              "snapshot 5 header rows x 5 11_11 66_6_ 00_0_ 22_2_ 45_6_ | ref AC-GT | s1: ACTGT | s2: TC-GA | s3: -----\n"
              "copy\n");
    EXPECT_TRUE(f.view.UndoEnabled);
    // The snapshot shares the rows: taking it copies no characters.
    EXPECT_TRUE(f.run.Session().UndoSequences[0].Sequence.SharesWith(f.run.State().AlignedSequences[0].Sequence));

    f.document.SetCharacter(1, 0, 'G');
    f.document.InsertGapColumns(1, 1);
    f.document.RemoveRows(2, 2);
    f.document.SetName(0, "renamed");
    f.run.State().AlignedReference[0].Name = "changed";
    ButtonUndoClick(f.ctx);
    EXPECT_EQ(f.Dump(),
              "labels 16024|16025|_____|16026|1____\nref rCRS: AC-GT\n0 s1: ACTGT\n1 s2: TC-GA\n2 s3: -----\n"
              "view cell 1,0 sel 1,0-1,0 highlight -1 mismatches off undo off saved no\n");
    // Nothing more to undo: the entry is disabled, and an undo that runs all
    // the same restores the same snapshot again.
    ButtonUndoClick(f.ctx);
    EXPECT_EQ(f.document.Row(0), "ACTGT");
}

TEST_F(UndoTest, NoSnapshotDoesNothingAndASnapshotWithoutSequencesComesBack) {
    const std::string before = f.Dump();
    ButtonUndoClick(f.ctx);  // no snapshot yet this run
    EXPECT_EQ(f.Dump(), before);
    // Every sequence removed: the snapshot holds no rows, and Undo puts back
    // an empty sequence list under the snapshot's labels.
    f.document.RemoveRows(0, 2);
    SaveUndoState(f.ctx);
    f.document.InsertGapColumns(1, 1);
    ButtonUndoClick(f.ctx);
    EXPECT_EQ(f.document.RowCount(), 0);
    EXPECT_EQ(f.document.ColumnCount(), 5);
    EXPECT_FALSE(f.view.UndoEnabled);
    // Copy and paste on the one empty grid row read nothing and write nothing.
    f.Select(1, 0, 2, 0);
    CopyCommand(f.ctx);
    EXPECT_TRUE(f.run.Session().CopyBuffer.empty());
    f.run.Session().CopyBuffer = {"AC"};
    PasteCommand(f.ctx);
    f.Select(1, 0, 1, 0);
    PasteCommand(f.ctx);  // a single cell: no message about the block's size either
    EXPECT_EQ(f.document.RowCount(), 0);
    EXPECT_TRUE(f.platform.Messages().empty());
}

TEST_F(UndoTest, RowsOfDifferentLengthsArePaddedNeverCut) {
    // A file whose rows are shorter or longer than its reference.
    f.run.Session().UndoReferenceRows = {"12", "  ", "  ", "  ", "  ", "AC"};
    f.run.Session().UndoSequences = {{"short", "A"}, {"long", "ACGT"}};
    ButtonUndoClick(f.ctx);
    EXPECT_EQ(f.Dump(),
              "labels 1____|2____|_____|_____\nref rCRS: AC--\n0 short: A---\n1 long: ACGT\n"
              "view cell 1,0 sel 1,0-1,0 highlight -1 mismatches off undo off saved no\n");
}

TEST_F(UndoTest, TheOpeningSnapshotWritesEachLabelDownwards) {
    WorkingState& s = f.run.State();
    s.AlignedNumbering = {"1234567", "", "8"};
    s.AlignedReference = {{"from file", "A-C"}};
    s.AlignedSequences = {{"x", "AGC"}};
    StoreSnapshotFromWorkingState(f.run.Session(), s);
    EXPECT_EQ(DumpSession(f.run.Session()),
              "snapshot 5 header rows x 3 1_8 2__ 3__ 4__ 5__ | ref A-C | x: AGC\ncopy\n");
}

TEST_F(UndoTest, CopyAndPasteWithBothFitRules) {
    struct Case {
        const char* what;
        int left, top, right, bottom;  // the paste selection
        const char* rows;              // the three rows after it, or the message
    };
    const Case cases[] = {
        {"block of the copied size", 2, 1, 4, 2, "ACTGT TTGTA --GA-"},
        {"single cell, the block ends at the last column", 3, 1, 3, 1, "ACTGT TCTGT ---GA"},
        {"single cell on the last column but one", 4, 1, 4, 1, kPasteTooBig},
        {"single cell, too few rows below", 1, 2, 1, 2, kPasteTooBig},
        {"selection of another size", 1, 1, 4, 2, kPasteSelectionMismatch},
        {"selection one row too high", 1, 0, 3, 0, kPasteSelectionMismatch},
    };
    for (const Case& c : cases) {
        EditorFixture g;
        g.Load("1|2|3|4|5", "AC-GT", {{"s1", "ACTGT"}, {"s2", "TC-GA"}, {"s3", "-----"}});
        g.Select(3, 0, 5, 1);  // 2 rows x 3 columns: "TGT" / "-GA"
        CopyCommand(g.ctx);
        ASSERT_EQ(DumpSession(g.run.Session()), "snapshot\ncopy TGT|-GA\n");
        g.view.UndoEnabled = false;
        g.Select(c.left, c.top, c.right, c.bottom);
        PasteCommand(g.ctx);
        std::string rows = g.document.Row(0) + " " + g.document.Row(1) + " " + g.document.Row(2);
        if (!g.platform.Messages().empty()) {
            EXPECT_EQ(g.platform.Messages(), std::vector<std::string>{c.rows}) << c.what;
            EXPECT_EQ(rows, "ACTGT TC-GA -----") << c.what;
        } else {
            EXPECT_EQ(rows, c.rows) << c.what;
        }
        // Either way the snapshot was taken, and Undo gives back the grids.
        EXPECT_TRUE(g.view.UndoEnabled) << c.what;
        ButtonUndoClick(g.ctx);
        g.Select(c.left, c.top, c.right, c.bottom);
        EditorFixture expected;
        expected.Load("1____|2____|3____|4____|5____", "AC-GT", {{"s1", "ACTGT"}, {"s2", "TC-GA"}, {"s3", "-----"}});
        expected.Select(c.left, c.top, c.right, c.bottom);
        expected.view.UndoEnabled = false;
        EXPECT_EQ(g.Dump(), expected.Dump()) << c.what;
    }
}

TEST_F(UndoTest, CopyInTheMismatchViewCopiesTheRealCharacters) {
    f.view.ShowMismatches = true;
    f.Select(1, 0, 2, 1);
    CopyCommand(f.ctx);
    EXPECT_EQ(f.run.Session().CopyBuffer, (std::vector<std::string>{"AC", "TC"}));
    EXPECT_FALSE(f.view.UndoEnabled);  // copying takes no snapshot
}

TEST_F(UndoTest, TheBoundaryPutsEverythingBackWhenACommandRunsOutOfMemory) {
    f.run.Session().CopyBuffer = {"GG"};
    SaveUndoState(f.ctx);
    f.view.UndoEnabled = false;
    f.view.HighlightedRow = 2;
    const std::string before = f.Dump() + DumpSession(f.run.Session());
    // A command that changes a little of everything, then fails to allocate.
    auto failing = [](EditorContext& ctx) {
        SaveUndoState(ctx);
        ctx.document.SetCharacter(1, 0, 'N');
        ctx.document.InsertGapColumns(2, 3);
        ctx.document.RemoveRows(1, 1);
        ctx.view.HighlightedRow = -1;
        ctx.session.CopyBuffer.clear();
        throw std::bad_alloc();
    };
    EXPECT_FALSE(RunEditorCommand(f.ctx, failing));
    EXPECT_EQ(f.Dump() + DumpSession(f.run.Session()), before);
    EXPECT_EQ(f.platform.Messages(), std::vector<std::string>{kCommandOutOfMemory});
    // Any other failure: its own text, once, and the same restore.
    EXPECT_FALSE(RunEditorCommand(f.ctx, [](EditorContext& ctx) {
        ctx.document.SetCharacter(2, 1, 'A');
        throw std::runtime_error("The file could not be written.");
    }));
    EXPECT_EQ(f.Dump() + DumpSession(f.run.Session()), before);
    EXPECT_EQ(f.platform.Messages().back(), "The file could not be written.");
    // A command that ends normally keeps its changes.
    EXPECT_TRUE(RunEditorCommand(f.ctx, [](EditorContext& ctx) { ctx.document.SetCharacter(2, 1, 'A'); }));
    EXPECT_EQ(f.document.Row(1), "TA-GA");
    EXPECT_EQ(f.platform.Messages().size(), 2u);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

// The address space this process uses now, in bytes.
std::size_t AddressSpaceInUse() {
    std::size_t pages = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%zu", &pages) != 1) pages = 0;
        std::fclose(f);
    }
    return pages * 4096;
}

TEST_F(UndoTest, AnUndoThatRunsOutOfMemoryLeavesTheAlignmentAsItWas) {
    if (kAddressSanitizer) GTEST_SKIP() << "the sanitizer's allocator does not survive an address-space limit";
    // A snapshot of two million columns whose 64 one-character rows must be
    // padded: 128 MB more than the process may take.
    const std::size_t columns = 2'000'000;
    EditorSession& session = f.run.Session();
    session.UndoReferenceRows.assign(6, std::string(columns, ' '));
    session.UndoSequences.assign(64, TAlignedSequence{"short", "A"});
    const std::string before = f.Dump();
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    rlimit limited = old;
    limited.rlim_cur = AddressSpaceInUse() + 64 * 1024 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_AS, &limited), 0);
    const bool done = RunEditorCommand(f.ctx, ButtonUndoClick);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &old), 0);
    EXPECT_FALSE(done);
    EXPECT_EQ(f.Dump(), before);
    EXPECT_EQ(f.platform.Messages(), std::vector<std::string>{kCommandOutOfMemory});
    EXPECT_EQ(session.UndoSequences.size(), 64u);  // the snapshot is still there
}

}  // namespace
}  // namespace sequara
