#include "editor/writers/AtomicReplace.h"
#include "editor/writers/ExportFiles.h"
#include "editor/writers/ExportFormats.h"
#include "editor/writers/FastaWriter.h"
#include "editor/writers/TemporaryAlignmentWriter.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

struct Alignment {
    TFastaSequence Reference;
    TCharacterName Labels;
    TFastaDataSet Rows;
    std::string DataType = "DNA";
    DataSetAlignmentInput Input() const { return {Reference, Labels, Rows, DataType}; }
};

TCharacterName Labels(std::initializer_list<const char*> texts) {
    TCharacterName labels;
    for (const char* t : texts) labels.emplace_back(t);
    return labels;
}

// The bytes a writer produces, with CR LF shown as "|".
std::string Written(WriterFunction writer, const Alignment& a) {
    TempFolder folder;
    const std::string name = folder.file("out");
    const DataSetAlignmentInput input = a.Input();
    const WriterInput writerInput(input);
    NoSaveProgress progress;
    WriterServices services(progress);
    ReplaceFile(DefaultFileLayer(), name, [&](ByteSink& out) { writer(writerInput, out, services); });
    std::string bytes = ReadBytes(name), shown;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.compare(i, 2, "\r\n") == 0) {
            shown += '|';
            ++i;
        } else {
            shown += bytes[i];
        }
    }
    return shown;
}

TEST(WriteFastaFile, LinesOfAHundredTrimmedEndsAndTheUnsequencedGapRule) {
    Alignment a;
    // 16363..16367 then 72..75.
    a.Labels = Labels({"16363", "16364", "16365", "16366", "16367", "72", "73", "74", "75"});
    a.Reference = {"rCRS", "ACGTACGTA"};
    a.Rows = {
        {"both", "-C-T--C-A"},       // upper part ends at 16366, lower part starts at 73
        {"upper only", "-G----C-A"},
        {"gaps", "---------"},
        {"ends", "--ACGTA--"},
    };
    EXPECT_EQ(Written(&WriteFastaFile, a),
              ">both|C-TNNC-A|"          // inside a part "-" stays; between the parts "N"
              ">upper only|GNNNNC-A|"
              ">gaps||"                  // name line and one empty line
              ">ends|ACGTA|");
    a.DataType = "AMINO";                // missing data of amino acids is "X"
    a.Rows.resize(1);
    EXPECT_EQ(Written(&WriteFastaFile, a), ">both|C-TXXC-A|");
    a.Rows.clear();
    EXPECT_EQ(Written(&WriteFastaFile, a), "");
}

TEST(WriteFastaFile, AColumnWithoutPositionGetsMissingDataAndLongRowsBreakEveryHundred) {
    Alignment a;
    a.Labels = Labels({"1", "", "3"});
    a.Reference = {"r", "AAA"};
    a.Rows = {{"S", "A-A"}};
    EXPECT_EQ(Written(&WriteFastaFile, a), ">S|ANA|");
    // Nothing in the upper range: a gap at 15996 itself stays, above it is missing.
    a.Labels = Labels({"", "15996", "15997", "1", "2"});
    a.Reference.Sequence = "AAAAA";
    a.Rows = {{"S", "C--AA"}};
    EXPECT_EQ(Written(&WriteFastaFile, a), ">S|C-NAA|");
    a.Labels.clear();
    a.Reference.Sequence.clear();
    a.Rows = {{"250", std::string(250, 'C')}, {"200", std::string(200, 'G')}, {"100", "-" + std::string(100, 'T')}};
    for (int i = 1; i <= 250; ++i) a.Labels.emplace_back(std::to_string(i));
    a.Reference.Sequence = std::string(250, 'A');
    a.Rows[1].Sequence += std::string(50, '-');
    a.Rows[2].Sequence += std::string(149, '-');
    const std::string c100(100, 'C'), g100(100, 'G');
    EXPECT_EQ(Written(&WriteFastaFile, a), ">250|" + c100 + "|" + c100 + "|" + std::string(50, 'C') + "|" +
                                               ">200|" + g100 + "|" + g100 + "||" +
                                               ">100|" + std::string(100, 'T') + "||");
}

TEST(WriteTemporaryAlignment, ReferenceLabelsAndRowsAsHeld) {
    Alignment a;
    a.Labels = Labels({"1", "2", "", "3", "4    "});
    a.Reference = {"rCRS", "AC-GT"};
    a.Rows = {{"S1", "AC-GT"}, {"S 2", "-CAG-"}};
    EXPECT_EQ(Written(&WriteTemporaryAlignment, a), "rCRS;AC-GT|1;2;;3;4    |S1;AC-GT|S 2;-CAG-|");
    a.Labels.clear();
    EXPECT_EQ(Written(&WriteTemporaryAlignment, a), "rCRS;AC-GT||S1;AC-GT|S 2;-CAG-|");
    a.Rows.clear();   // no rows: empty, although a reference exists
    EXPECT_EQ(Written(&WriteTemporaryAlignment, a), "");
}

TEST(ExportFormats, ExtensionsByFilterIndexAndDataType) {
    std::string dna, amino;
    for (int i = 0; i <= 13; ++i) {
        dna += ExtensionPattern(i, "DNA") + " ";
        amino += ExtensionPattern(i, "AMINO") + " ";
    }
    EXPECT_EQ(dna, " *.txt *.ali *.rdf *.rdf *.rdf *.rdf *.txt *.txt *.phy *.nex *.grv *.for  ");
    EXPECT_EQ(amino, " *.txt *.ali *.ami *.rdf *.ami *.rdf *.txt *.txt *.phy *.nex *.grv *.for  ");
    EXPECT_EQ(CompanionAlignmentName("/a/result.txt"), "/a/result.ali");
    EXPECT_EQ(CompanionAlignmentName("x.nex"), "x.ali");
}

}  // namespace
}  // namespace sequara
