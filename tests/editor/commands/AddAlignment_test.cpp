// Adding a second alignment: columns lined up by label (blanks and case
// ignored, labels in any order), gap columns in front, behind and between,
// shared inserted columns, refusals that change nothing, one undoable edit,
// the fast merge against the step-by-step one, and the menu command on files.
#include "editor/commands/AddAlignment.h"
#include "editor/commands/UndoCommands.h"
#include "tests/support/AlignmentMergeOracle.h"
#include "tests/support/EditorDump.h"
#include "sequence/CharacterRules.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace sequara {
namespace {

using testing::DumpSession;
using testing::EditorFixture;

// An added alignment from ";"-separated labels, its reference row and rows.
AddedAlignment Added(const std::string& labels, const std::string& reference,
                     std::vector<std::pair<std::string, std::string>> rows) {
    AddedAlignment a;
    std::string label;
    for (char c : labels + ";") {
        if (c == ';') {
            a.Labels.emplace_back(label);
            label.clear();
        } else {
            label += c;
        }
    }
    a.Reference = {{"added reference", reference}};
    for (auto& [name, text] : rows) a.Sequences.push_back({name, text});
    return a;
}

constexpr const char* kView = "view cell 1,0 sel 1,0-1,0 highlight -1 mismatches off undo on saved no\n";

TEST(AddAlignmentTest, ColumnsLineUpByLabelAndTheMissingOnesBecomeGapColumns) {
    struct Case {
        const char* what;
        const char* openLabels;  // over the reference AC-GT and the rows ACTGT, AG-GA
        const char* labels;
        const char* reference;
        const char* row;
        const char* expected;  // labels, reference and rows of the dump
    };
    const Case cases[] = {
        {"the same labels in the same order", "A12|150|_|151|152", "A12;150;;151;152", "AC-GT", "TCAGT",
         "labels A12__|150__|_____|151__|152__\nref rCRS: AC-GT\n0 s1: ACTGT\n1 s2: AG-GA\n2 t1: TCAGT\n"},
        {"blanks around a label and letter case, in another order", "A12|150|_|151|152", " 150 ;a12", "CA", "GT",
         "labels A12__|150__|_____|151__|152__\nref rCRS: AC-GT\n0 s1: ACTGT\n1 s2: AG-GA\n2 t1: TG---\n"},
        {"columns before the first and after the last match", "A12|150|_|151|152", "9;10;150;151;153;154",
         "TTCGAA", "GGCGCC",
         "labels 9____|10___|A12__|150__|_____|151__|152__|153__|154__\nref rCRS: TTAC-GTAA\n"
         "0 s1: --ACTGT--\n1 s2: --AG-GA--\n2 t1: GG-C-G-CC\n"},
        {"an inserted column before a labelled one, then one sharing an inserted column", "A12|150|_|151|152",
         "A12;;150;;151", "ANCTG", "GTCAT",
         "labels A12__|_____|150__|_____|151__|152__\nref rCRS: ANC-GT\n"
         "0 s1: A-CTGT\n1 s2: A-G-GA\n2 t1: GTCAT-\n"},
        {"a label twice in either alignment", "10|10|11|_|12", "10;10;12", "ACG", "GTC",
         "labels 10___|10___|11___|_____|12___\nref rCRS: AC-GT\n0 s1: ACTGT\n1 s2: AG-GA\n2 t1: T---C\n"},
        {"a label longer than five characters", "A12|150|_|151|152", "123456789;A12", "TA", "CA",
         "labels 12345|A12__|150__|_____|151__|152__\nref rCRS: TAC-GT\n"
         "0 s1: -ACTGT\n1 s2: -AG-GA\n2 t1: CA----\n"},
        // The gap column for Y goes in front of the columns that 151 and X
        // took before it: both move with it.
        {"labels in another order with unmatched ones between", "A12|150|_|151|152", "151;X;A12;Y;150", "GNANC",
         "GTACC",
         "labels A12__|Y____|150__|_____|151__|X____|152__\nref rCRS: ANC-GNT\n"
         "0 s1: A-CTG-T\n1 s2: A-G-G-A\n2 t1: ACC-GT-\n"},
        {"short and long added rows, a lower-case row", "A12|150|_|151|152", "A12;150;;151;152", "AC-GT", "tc",
         "labels A12__|150__|_____|151__|152__\nref rCRS: AC-GT\n0 s1: ACTGT\n1 s2: AG-GA\n2 t1: TC---\n"},
    };
    for (const Case& c : cases) {
        EditorFixture f;
        f.Load(c.openLabels, "AC-GT", {{"s1", "ACTGT"}, {"s2", "AG-GA"}});
        f.view.UndoEnabled = false;
        EXPECT_TRUE(AddAlignment(f.ctx, Added(c.labels, c.reference, {{"t1", c.row}}))) << c.what;
        EXPECT_EQ(f.Dump(), std::string(c.expected) + kView) << c.what;
        EXPECT_TRUE(f.platform.Events.empty()) << c.what;
    }
}

TEST(AddAlignmentTest, UndoPutsTheAlignmentBackWithoutTheAddedRows) {
    for (const bool empty : {false, true}) {
        EditorFixture f;
        if (empty) f.Load("A12|150|_|151|152", "AC-GT", {});
        else f.Load("A12|150|_|151|152", "AC-GT", {{"s1", "ACTGT"}, {"s2", "AG-GA"}});
        f.view.UndoEnabled = false;
        ASSERT_TRUE(AddAlignment(f.ctx, Added("9;151;X;A12;Y;150", "TGNANC", {{"t1", "AGTACC"}, {"t2", "------"}})));
        EXPECT_EQ(f.document.RowCount(), empty ? 2 : 4);
        ButtonUndoClick(f.ctx);
        EXPECT_EQ(f.Dump(), std::string("labels A12__|150__|_____|151__|152__\nref rCRS: AC-GT\n") +
                                (empty ? "" : "0 s1: ACTGT\n1 s2: AG-GA\n") +
                                "view cell 1,0 sel 1,0-1,0 highlight -1 mismatches off undo off saved no\n");
    }
}

TEST(AddAlignmentTest, AFileThatCannotBeMergedIsRefusedBeforeTheUndoSnapshot) {
    struct Case {
        const char* what;
        AddedAlignment added;
        const char* message;
    };
    const Case cases[] = {
        {"no label in common", Added("99;;98", "ACG", {{"t1", "ACG"}}), kAddAlignmentNoCommonLabel},
        {"a file without labels", Added(";;", "ACG", {{"t1", "ACG"}}), kAddAlignmentNoCommonLabel},
        {"a sign in a sequence", Added("150;A12", "AC", {{"t1", "AC"}, {"second sample name long", "A*"}}),
         "Disallowed character state found in sequence 1 (second sample name l) at position 2 (*). "
         "The alignment file cannot be added."},
        {"U under DNA, lower case", Added("150;A12", "AC", {{"t1", "uC"}}),
         "Disallowed character state found in sequence 0 (t1) at position 1 (U). The alignment file cannot be added."},
        {"a digit in the reference", Added("150;A12", "A1", {{"t1", "AC"}}),
         "Disallowed character state found in the reference sequence (added reference) at position 2 (1). "
         "The alignment file cannot be added."},
    };
    for (const Case& c : cases) {
        EditorFixture f;
        f.Load("A12|150|_|151|152", "AC-GT", {{"s1", "ACTGT"}, {"s2", "AG-GA"}});
        f.run.Session().UndoReferenceRows = {"earlier snapshot"};
        f.view.UndoEnabled = false;
        const std::string before = f.Dump() + DumpSession(f.run.Session());
        EXPECT_FALSE(AddAlignment(f.ctx, c.added)) << c.what;
        EXPECT_EQ(f.platform.Messages(), std::vector<std::string>{c.message}) << c.what;
        EXPECT_EQ(f.Dump() + DumpSession(f.run.Session()), before) << c.what;
        EXPECT_TRUE(f.document.Saved() == false) << c.what;
    }
    // Characters past the file's columns are not used, so not checked.
    EditorFixture f;
    f.Load("A12|150", "AC", {{"s1", "AC"}});
    EXPECT_TRUE(AddAlignment(f.ctx, Added("150;A12", "CA", {{"t1", "GT**"}})));
    EXPECT_EQ(f.document.Row(1), "TG");
}

TEST(AddAlignmentTest, TheFastMergeGivesTheStepByStepResultOnRandomAlignments) {
    std::mt19937 random(20261207);
    const std::vector<std::string> openPool = {"", " ", "1", "2", "3", "4", "5", "x", "X", "12345678"};
    const std::vector<std::string> addedPool = {"", " ", "1", "2", "3", "4", "5", "6", "7", "x", " 2", "3 ", "12345678"};
    auto pick = [&](const std::vector<std::string>& pool) { return pool[random() % pool.size()]; };
    auto bases = [&](std::size_t n) {
        std::string s;
        for (std::size_t i = 0; i < n; ++i) s += "ACGT-acgt"[random() % 9];
        return s;
    };
    int merged = 0;
    for (int round = 0; round < 600; ++round) {
        EditorFixture f;
        WorkingState& s = f.run.State();
        const std::size_t N = 1 + random() % 12;
        testing::PlainAlignment open;
        for (std::size_t c = 0; c < N; ++c) s.AlignedNumbering.emplace_back(pick(openPool));
        s.AlignedReference = {{"", SharedText(UpperAscii(bases(N)))}};
        for (std::size_t r = random() % 4; r > 0; --r) s.AlignedSequences.push_back({"r" + std::to_string(r), UpperAscii(bases(N))});
        f.document.ReadAlignmentFromGrids();
        for (const TLabel& l : s.AlignedNumbering) open.Labels.push_back(l.str());
        open.Reference = f.document.ReferenceRow();
        for (const TAlignedSequence& row : s.AlignedSequences) open.Rows.emplace_back(row.Name, row.Sequence.str());

        const std::size_t n = 1 + random() % 12;
        testing::PlainAlignment added;
        AddedAlignment a;
        for (std::size_t k = 0; k < n; ++k) a.Labels.emplace_back(pick(addedPool));
        a.Reference = {{"ref", bases(n - random() % 2)}};
        for (std::size_t r = 1 + random() % 3; r > 0; --r)
            a.Sequences.push_back({"a" + std::to_string(r), bases(n + 1 - random() % 3)});
        for (const TLabel& l : a.Labels) added.Labels.push_back(l.str());
        added.Reference = a.Reference[0].Sequence;
        for (const TFastaSequence& row : a.Sequences) added.Rows.emplace_back(row.Name, row.Sequence);

        const bool expectMerge = testing::StepByStepMerge(open, added);
        ASSERT_EQ(AddAlignment(f.ctx, a), expectMerge) << "round " << round;
        merged += expectMerge;
        std::string labels;
        for (const TLabel& l : s.AlignedNumbering) labels += l.str() + "|";
        std::string expectedLabels;
        for (const std::string& l : open.Labels) expectedLabels += l + "|";
        ASSERT_EQ(labels, expectedLabels) << "round " << round;
        ASSERT_EQ(f.document.ReferenceRow(), open.Reference) << "round " << round;
        ASSERT_EQ(static_cast<std::size_t>(f.document.RowCount()), open.Rows.size()) << "round " << round;
        for (std::size_t r = 0; r < open.Rows.size(); ++r) {
            ASSERT_EQ(f.document.Name(static_cast<std::int32_t>(r)), open.Rows[r].first) << "round " << round;
            ASSERT_EQ(f.document.Row(static_cast<std::int32_t>(r)), open.Rows[r].second) << "round " << round;
        }
    }
    EXPECT_GT(merged, 300);  // most rounds merge; the others have no label in common
}

TEST(AddAlignmentTest, TheMenuCommandOpensTheProgramFolderAndReadsTheChosenFile) {
    testing::TempFolder folder;
    EditorFixture f;
    f.run.State().ApplicationFolder = folder.path().string() + "/";
    f.Load("A12|150", "AC", {{"s1", "AC"}});
    f.view.UndoEnabled = false;
    const std::string before = f.Dump();

    f.platform.CancelOpenFile();
    EXPECT_FALSE(Addalignmentfile1Click(f.ctx));
    ASSERT_EQ(f.platform.OpenFileOptions.size(), 1u);
    const FileDialogOptions& options = f.platform.OpenFileOptions[0];
    ASSERT_EQ(options.Filters.size(), 1u);
    EXPECT_EQ(options.Filters[0].Description, "(Temporary) alignment files (*.ali)");
    EXPECT_EQ(options.Filters[0].Patterns, "*.ali");
    EXPECT_EQ(options.InitialFolder, folder.path().string() + "/");

    // A file that will not open: the reader's message alone.  A file without
    // a sequence line: the command's own.  Neither changes anything.
    const std::string missing = folder.file("missing.ali");
    f.platform.AnswerOpenFile(missing);
    EXPECT_FALSE(Addalignmentfile1Click(f.ctx));
    f.platform.AnswerOpenFile(folder.write("short.ali", "ref;AC\r\nA12;150\r\n"));
    EXPECT_FALSE(Addalignmentfile1Click(f.ctx));
    EXPECT_EQ(f.platform.Messages(),
              (std::vector<std::string>{"An Error occured while trying to open the specified file: " + missing,
                                        kAddAlignmentUnreadable}));
    EXPECT_EQ(f.Dump(), before);

    f.platform.AnswerOpenFile(folder.write("second.ali", "other;CTA\r\n150;A12;151\r\nt1;GTC\r\nt2;CCA\r\n"));
    EXPECT_TRUE(Addalignmentfile1Click(f.ctx));
    EXPECT_EQ(f.Dump(),
              "labels A12__|150__|151__\nref rCRS: ACA\n0 s1: AC-\n1 t1: TGC\n2 t2: CCA\n"
              "view cell 1,0 sel 1,0-1,0 highlight -1 mismatches off undo on saved no\n");
}

}  // namespace
}  // namespace sequara
