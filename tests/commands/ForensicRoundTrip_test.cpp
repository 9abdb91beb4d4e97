#include "alignment/AlignmentPipeline.h"
#include "alignment/ColumnModel.h"
#include "commands/ForensicImport.h"
#include "editor/commands/SaveCommand.h"
#include "editor/writers/ForensicWriter.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/CharacterRules.h"
#include "sequence/FastaReader.h"
#include "tests/editor/writers/WriterRun.h"
#include "tests/support/EditorDump.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sequara {
namespace {

using testing::TestAlignment;

// A real alignment written as a list, read back and imported again against
// the same reference: every row keeps its sites and its ranges.
TEST(ForensicWriter, RealAlignmentSurvivesTheRoundTrip) {
    ScriptedPlatform platform;
    TFastaDataSet reference, sequences;
    TCharacterName labels, unused;
    ReadFastaFile(testing::TestDataFile("rCRS_CR_16024-576.txt"), reference, labels, false, "DNA", platform);
    ReadFastaFile(testing::TestDataFile("1000g_CR_first40.fasta"), sequences, unused, false, "DNA", platform);
    ASSERT_FALSE(reference.empty());
    PipelineParameters parameters;
    parameters.DataType = "DNA";
    TAlignmentResult alignment;
    RunAutomaticAlignment(reference[0].Sequence, sequences, alignment, parameters, nullptr);
    TAlignedColumns columns = BuildAlignedColumns(alignment, sequences, reference[0].Sequence, labels);
    TestAlignment written{{reference[0].Name, columns.ReferenceRow}, columns.Labels, {}};
    for (std::size_t i = 0; i < sequences.size(); ++i) written.Rows.push_back({sequences[i].Name, columns.Rows[i]});

    const testing::TempFolder folder;
    {
        const DataSetAlignmentInput input(written.Reference, written.Labels, written.Rows, "DNA");
        const WriterInput writerInput(input);
        NoSaveProgress progress;
        WriterServices services(progress);
        ReplaceFile(DefaultFileLayer(), folder.file("list.for"),
                    [&](ByteSink& out) { WriteForensicFile(writerInput, out, services); });
        ASSERT_TRUE(services.Notices.empty());
    }
    TDBFDataSet records;
    ReadForensicFile(folder.file("list.for"), records, platform);
    ASSERT_EQ(records.size(), written.Rows.size());
    auto imported = BuildForensicAlignment(records, reference[0].Sequence, labels);
    ASSERT_TRUE(imported);
    EXPECT_TRUE(imported->SkippedSites.empty());

    // Sites and ranges as the list sees them (HVS-I above 10000).
    auto variants = [](std::string_view row, std::string_view ref, const TCharacterName& rowLabels) {
        PositionTable positions(rowLabels);
        std::int32_t a = 0, b = 0, c = 0, d = 0;
        FindSequenceRange(row, positions, 10001, 99999, a, b);
        FindSequenceRange(row, positions, -1, 10000, c, d);
        MutationList sites;
        BuildMutationList(row, ref, positions, a, b, c, d, sites);
        std::string out = std::to_string(a) + "-" + std::to_string(b) + "," + std::to_string(c) + "-" + std::to_string(d);
        for (std::size_t k = 0; k < sites.HVSI_Anz; ++k) out += " " + sites.HVSI_site[k];
        for (std::size_t k = 0; k < sites.HVSII_Anz; ++k) out += " " + sites.HVSII_site[k];
        return out;
    };
    int rowsWithSites = 0, insertionSites = 0;  // rows with sites, rows with inserted characters
    for (std::size_t i = 0; i < written.Rows.size(); ++i) {
        SCOPED_TRACE(written.Rows[i].Name);
        EXPECT_EQ(imported->Sequences[i].Name, UpperAscii(written.Rows[i].Name));
        const std::string before = variants(written.Rows[i].Sequence, written.Reference.Sequence, written.Labels);
        EXPECT_EQ(variants(imported->Sequences[i].Sequence.str(), imported->Reference[0].Sequence.str(), imported->Numbering),
                  before);
        rowsWithSites += before.find(' ') != std::string::npos;
        insertionSites += before.find(".1") != std::string::npos;
    }
    EXPECT_GT(rowsWithSites, 30);
    EXPECT_GE(insertionSites, 1);   // 16193.1C
}

// Written, read and imported: the rows come back, also at positions between
// 10000 and 15996 and with a tab in a name.
TEST(ForensicWriter, SmallAlignmentsSurviveTheRoundTrip) {
    const std::string reference = "ACGTACGT";
    const TCharacterName labels = {"16000", "16001", "12000", "12001", "9999", "10000", "1000", "1001"};
    TestAlignment a{{"ref", reference}, labels, {{"a\tb", "-CTTACGA"}, {"c;d", "ACGAC-G-"}}};
    const testing::TempFolder folder;
    const DataSetAlignmentInput input(a.Reference, a.Labels, a.Rows, "DNA");
    const WriterInput writerInput(input);
    NoSaveProgress progress;
    WriterServices services(progress);
    ReplaceFile(DefaultFileLayer(), folder.file("list.for"), [&](ByteSink& out) { WriteForensicFile(writerInput, out, services); });
    ScriptedPlatform platform;
    TDBFDataSet records;
    ReadForensicFile(folder.file("list.for"), records, platform);
    ASSERT_EQ(records.size(), 2u);
    auto imported = BuildForensicAlignment(records, reference, labels);
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->Sequences[0].Name, "A B");
    EXPECT_EQ(imported->Sequences[0].Sequence, "-CTTACGA");
    EXPECT_EQ(imported->Sequences[1].Name, "C D");
    EXPECT_EQ(imported->Sequences[1].Sequence, "ACGAC-G-");
}

// Saved as a list and imported again: characters inserted with a gap between
// them, a name that begins like a header line, rows beyond what a list holds.
TEST(ForensicWriter, EveryRowAndInsertedCharacterWrittenComesBackOrIsNamedInANotice) {
    const testing::TempFolder folder;
    testing::EditorFixture f;
    f.Load("16192|16193|_|_|_|16194|73|74", "AC---GTA",
           {{"gapped", "ACC-TGTA"}, {"AAA7", "ACG--CTA"}, {"plain", "AC---GTC"}});
    SaveSession save;
    NoSaveProgress progress;
    auto saveAndImport = [&] {
        f.platform.AnswerYesNo(true);  // overwrite, the second time
        f.platform.AnswerSaveFile(folder.file("list.for"), 12);
        RunEditorCommand(f.ctx, [&](EditorContext& c) { ButtonSaveClick(c, save, {DefaultFileLayer(), progress}); });
        WorkingState back;
        back.ReferenceData = {{"ref", "ACGTA"}};
        back.ReferenceNumbering = {"16192", "16193", "16194", "73", "74"};
        f.platform.AnswerOpenFile(folder.file("list.for"));
        FileDialogOptions dialog;
        EXPECT_TRUE(ImportForensicList(back, f.platform, dialog));
        return back.AlignedSequences;
    };
    std::string rows;
    for (const TAlignedSequence& row : saveAndImport()) rows += row.Name + "=" + row.Sequence.str() + " ";
    EXPECT_EQ(rows, "GAPPED=ACCTGTA AAA7=ACG-CTA PLAIN=AC--GTC ");
    EXPECT_TRUE(f.platform.Messages().empty());

    f.run.State().AlignedSequences.resize(kForensicMaxRecords + 2, {"r", SharedText("ACG--CTA")});
    f.run.State().AlignedSequences[kForensicMaxRecords].Name = "over";
    f.document.ReadAlignmentFromGrids();
    EXPECT_EQ(saveAndImport().size(), std::size_t(kForensicMaxRecords));
    EXPECT_EQ(f.platform.Messages(), std::vector<std::string>{std::string(kForensicTooManyRowsStart) +
                                                              "2 rows from sequence over on are not written."});
}

}  // namespace
}  // namespace sequara
