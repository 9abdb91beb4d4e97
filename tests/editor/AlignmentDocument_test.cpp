// The document's edit primitives: column insertion and deletion at several
// places in one pass, row removal and moves, the equal-length invariant, the
// saved mark, and rows shared with a copy until one side changes them.
#include "editor/WorkingStateAlignmentInput.h"
#include "tests/support/EditorDump.h"

#include <gtest/gtest.h>

#include <functional>

namespace sequara {
namespace {

using testing::EditorFixture;

// Dump without the view line.
std::string Grids(const EditorFixture& f) {
    std::string d = f.Dump();
    return d.substr(0, d.rfind("view"));
}

TEST(AlignmentDocumentTest, PrimitivesKeepEveryRowTheSameLength) {
    struct Case {
        const char* what;
        std::function<void(AlignmentDocument&)> edit;
        const char* after;
    };
    const Case cases[] = {
        {"gap columns before 1, twice before 3 and after the last",
         [](AlignmentDocument& d) { d.InsertGapColumns({3, 1, 5, 3}); },
         "labels |1|2|||3|4|\nref rCRS: -AC--GT-\n0 a: -AC--GA-\n1 b: -T---GT-\n"},
        {"count at a column", [](AlignmentDocument& d) { d.InsertGapColumns(2, 2); },
         "labels 1|||2|3|4\nref rCRS: A--CGT\n0 a: A--CGA\n1 b: T---GT\n"},
        {"nothing for count 0 or a column outside", [](AlignmentDocument& d) {
             d.InsertGapColumns(0, 1);
             d.InsertGapColumns({0, 6, -1});
         },
         "labels 1|2|3|4\nref rCRS: ACGT\n0 a: ACGA\n1 b: T-GT\n"},
        {"delete columns 4, 1 and 4 again (repeats ignored), 9 outside",
         [](AlignmentDocument& d) { d.DeleteColumns({4, 1, 4, 9}); },
         "labels 2|3\nref rCRS: CG\n0 a: CG\n1 b: -G\n"},
        {"one character", [](AlignmentDocument& d) {
             d.SetCharacter(4, 1, 'C');
             d.SetCharacter(5, 1, 'X');  // outside: nothing
             d.SetCharacter(1, 2, 'X');
         },
         "labels 1|2|3|4\nref rCRS: ACGT\n0 a: ACGA\n1 b: T-GC\n"},
        {"remove rows clamped", [](AlignmentDocument& d) { d.RemoveRows(-3, 0); },
         "labels 1|2|3|4\nref rCRS: ACGT\n0 b: T-GT\n"},
        {"move and rename", [](AlignmentDocument& d) {
             d.MoveRow(0, 1);
             d.MoveRow(1, 7);
             d.SetName(0, "first");
         },
         "labels 1|2|3|4\nref rCRS: ACGT\n0 first: T-GT\n1 a: ACGA\n"},
    };
    for (const Case& c : cases) {
        EditorFixture f;
        f.Load("1|2|3|4", "ACGT", {{"a", "ACGA"}, {"b", "T-GT"}});
        f.document.MarkSaved();
        c.edit(f.document);
        EXPECT_EQ(Grids(f), c.after) << c.what;
        const bool changed = Grids(f) != "labels 1|2|3|4\nref rCRS: ACGT\n0 a: ACGA\n1 b: T-GT\n";
        EXPECT_EQ(f.document.Saved(), !changed) << c.what;
    }
}

TEST(AlignmentDocumentTest, RowsAreSharedWithACopyUntilChanged) {
    EditorFixture f;
    f.Load("1|2|3", "ACG", {{"a", "ACG"}, {"b", "AGG"}, {"c", "TCG"}});
    const TAlignedDataSet copy = f.run.State().AlignedSequences;
    f.document.SetCharacter(1, 1, 'C');
    const TAlignedDataSet& now = f.run.State().AlignedSequences;
    EXPECT_TRUE(now[0].Sequence.SharesWith(copy[0].Sequence));
    EXPECT_FALSE(now[1].Sequence.SharesWith(copy[1].Sequence));
    EXPECT_TRUE(now[2].Sequence.SharesWith(copy[2].Sequence));
    EXPECT_EQ(copy[1].Sequence, "AGG");  // the copy keeps what it had
    EXPECT_EQ(now[1].Sequence, "CGG");
}

TEST(AlignmentDocumentTest, ReadingBackPadsEveryRowToTheLongestAndNamesTheReference) {
    EditorFixture f;
    WorkingState& s = f.run.State();
    s.AlignedReference = {{"from file", "AC"}};
    s.AlignedNumbering = {"1234567", "2"};
    s.AlignedSequences = {{"long", "ACGTA"}, {"short", "A"}, {"", ""}};
    f.document.ReadAlignmentFromGrids();
    EXPECT_EQ(Grids(f), "labels 12345|2|||\nref rCRS: AC---\n0 long: ACGTA\n1 short: A----\n2 : -----\n");
}

TEST(AlignmentDocumentTest, WritersSeeWhatTheDocumentHolds) {
    EditorFixture f;
    f.Load("1|_|2", "A-C", {{"a", "AGC"}, {"b", "--C"}});
    f.document.SetCharacter(1, 1, 'T');
    const WorkingStateAlignmentInput in(f.run.State());
    std::string seen = std::string(in.ReferenceName()) + ":" + std::string(in.ReferenceRow()) + " " +
                       std::string(in.DataType());
    for (const TLabel& l : in.Labels()) seen += "|" + l.str();
    for (std::size_t r = 0; r < in.RowCount(); ++r)
        seen += " " + std::string(in.RowName(r)) + ":" + std::string(in.Row(r));
    EXPECT_EQ(seen, "rCRS:A-C DNA|1| |2 a:AGC b:T-C");
}

TEST(AlignmentDocumentTest, AnEmptyDocumentReadsAsNothing) {
    EditorFixture f;
    EXPECT_EQ(f.document.ColumnCount(), 0);
    EXPECT_EQ(f.document.Row(0), "");
    EXPECT_EQ(f.document.Character(1, 0), '\0');
    f.document.RemoveRows(0, 3);
    f.document.MoveRow(0, 0);
    f.document.InsertGapColumns(1, 1);
    EXPECT_EQ(Grids(f), "labels \nref : -\n");
}

}  // namespace
}  // namespace sequara
