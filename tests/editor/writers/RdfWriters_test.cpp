#include "editor/writers/PlexorOldRdfWriter.h"
#include "editor/writers/PlexorRdfWriter.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "tests/editor/writers/WriterRun.h"
#include "tests/support/TableWriterOracle.h"

#include <gtest/gtest.h>

#include <random>

namespace sequara {
namespace {

using testing::LabelList;
using testing::NumberedLabels;
using testing::RunFormat;
using testing::TestAlignment;
using testing::WriterRun;

const std::vector<std::string> kNone, kNs{kRdfNsMessage}, kXs{kRdfXsMessage}, kThird{kRdfThirdStateMessage};

TEST(PlexorRdf, OneVaryingColumnInAllFourFormats) {
    std::string names;
    for (int index = 3; index <= 10; ++index)
        names += std::string(ExportFormatByIndex(index) ? ExportFormatByIndex(index)->Name : "none") + " ";
    EXPECT_EQ(names, "rdf-old-multi rdf-old-binary rdf45-multi rdf45-binary mismatch collapsed phylip nexus ");

    TestAlignment a{{"rCRS", "ACGT"}, NumberedLabels(16001, 16004), {{"S1", "ACGT"}, {"S2", "ACTT"}}};
    const std::string header = "       1|       6|       0|       0|       3|        |";
    const WriterRun run = RunFormat("rdf-old-multi", a);
    EXPECT_EQ(run.Bytes, header + "S1     G  1|S2     T  1||10");
    EXPECT_EQ(run.Notices, kNone);
    EXPECT_EQ(run.Progress, "show 25 50 75 hide");
    EXPECT_EQ(RunFormat("rdf-old-binary", a).Bytes, header + "S1     0  1|S2     1  1||10");
    EXPECT_EQ(RunFormat("rdf45-multi", a).Bytes, "  ;1.0|16003;|10;|>S1;1;;;;|G|>S2;1;;;;|T|");
    EXPECT_EQ(RunFormat("rdf45-binary", a).Bytes, "  ;1.0|16003;|10;|>S1;1;;;;|0|>S2;1;;;;|1|");
    EXPECT_EQ(RunFormat("rdf45-binary", a).Progress, "show 25 50 75 hide");
}

TEST(PlexorRdf, InsertionLettersRangesAndNames) {
    // Columns: 314, 315, two inserted, 316 (no difference), inserted, 317.
    TestAlignment a{{"rCRS", "CA--G-T"},
                    LabelList({"314", "315", "", "", "316", "", "317"}),
                    {{"Sample_123", "GTCCGAA"}, {"R2", "GAC-GAA"}, {"R3", "GA--G--"}}};  // R3 ends at 316
    // Inserted columns take the preceding position; the letters go on past
    // the column that is not written (316) and restart at a written one.
    const std::string header = "       333333|       111111|       455567|             |             |         bcd |";
    WriterRun run = RunFormat("rdf-old-multi", a);
    EXPECT_EQ(run.Bytes, header + "Sample GTCCAA  1|R2     GAC-AA  1|R3     GA--NN  1||101010101010");
    EXPECT_EQ(run.Notices, kNs);
    EXPECT_EQ(RunFormat("rdf-old-binary", a).Bytes,   // 314: every row G, unlike the reference: all 0
              header + "Sample 000000  1|R2     010100  1|R3     0111NN  1||101010101010");
    run = RunFormat("rdf45-multi", a);   // no range test: R3 keeps its gaps
    EXPECT_EQ(run.Bytes, "  ;1.0|314;315;315a;315b;316c;317;|10;10;10;10;10;10;|"
                         ">Sample_123;1;;;;|GTCCAA|>R2;1;;;;|GAC-AA|>R3;1;;;;|GA----|");
    EXPECT_EQ(run.Notices, kNone);
    run = RunFormat("rdf45-binary", a);
    EXPECT_EQ(run.Bytes.substr(run.Bytes.find(">")), ">Sample_123;1;;;;|000000|>R2;1;;;;|010100|>R3;1;;;;|011111|");
    EXPECT_EQ(run.Notices, kNone);
}

// 1000 Genomes names (HG00096 ...) agree in their six written characters in
// groups: the old formats say which rows; the 4.5 formats write whole names.
TEST(PlexorRdf, NamesTheOldFormatMakesEqualAreNamedInOneNotice) {
    ScriptedPlatform platform;
    TFastaDataSet read;
    ReadFastaFile(testing::TestDataFile("1000g_CR_first40.fasta"), read, false, "DNA", platform);
    ASSERT_GE(read.size(), 6u);
    TestAlignment a{{"rCRS", "T"}, LabelList({"16100"}), {}};
    for (std::size_t i = 0; i < 6; ++i) a.Rows.push_back({read[i].Name, "C"});
    const auto row = [&](std::size_t i) { return "\"" + read[i].Name + "\" (row " + std::to_string(i + 1) + ")"; };
    const std::vector<std::string> notice{
        "The saved RDF file keeps the first 6 characters of each name. These rows are written with equal names: " +
        row(0) + ", " + row(1) + " and " + row(2) + " as \"HG0009\" and " + row(3) + ", " + row(4) + " and " + row(5) +
        " as \"HG0010\". Programs that need distinct names will refuse or misread them."};
    ASSERT_EQ(read[3].Name.substr(0, 7) + read[5].Name.substr(0, 7), "HG00100HG00102");
    for (const char* format : {"rdf-old-multi", "rdf-old-binary"}) EXPECT_EQ(RunFormat(format, a).Notices, notice);
    for (const char* format : {"rdf45-multi", "rdf45-binary"}) EXPECT_EQ(RunFormat(format, a).Notices, kNone);
}

TEST(PlexorRdf, ThirdStatesAndMissingData) {
    struct Case {
        const char *rows, *dataType, *oldBinary;
        std::vector<std::string> oldNotices;
        const char* newBinary;
        std::vector<std::string> newNotices;
    };
    const Case cases[] = {
        {"AGC", "DNA", "01N", kNs, "011", kThird},
        {"AGN", "DNA", "01N", kNs, "011", kNs},   // N is missing data, not a third state
        {"AGNC", "DNA", "01NN", kNs, "0111", {kRdfThirdStateMessage, kRdfNsMessage}},
        {"ANG", "DNA", "01N", kNs, "011", {kRdfThirdStateMessage, kRdfNsMessage}},
        {"AGGA", "DNA", "0110", kNone, "0110", kNone},
        {"AGN", "AMINO", "01X", kXs, "011", kThird},   // amino acids: N is asparagine, X is missing
        {"AGX", "AMINO", "01X", kXs, "011", kXs},
    };
    for (const Case& c : cases) {
        TestAlignment a{{"r", "T"}, LabelList({"100"}), {}, c.dataType};
        for (const char* r = c.rows; *r; ++r) a.Rows.push_back({std::to_string(r - c.rows) + *r, std::string(1, *r)});
        const WriterRun oldRun = RunFormat("rdf-old-binary", a), newRun = RunFormat("rdf45-binary", a);
        std::string oldChars, newChars;
        for (std::size_t i = 0; i < a.Rows.size(); ++i) {
            oldChars += oldRun.Bytes[oldRun.Bytes.find("|" + a.Rows[i].Name) + 8];
            newChars += newRun.Bytes[newRun.Bytes.find(a.Rows[i].Name + ";1;;;;|") + 9];
        }
        EXPECT_EQ(oldChars + " " + newChars, std::string(c.oldBinary) + " " + c.newBinary) << c.rows << c.dataType;
        EXPECT_EQ(oldRun.Notices, c.oldNotices) << c.rows << c.dataType;
        EXPECT_EQ(newRun.Notices, c.newNotices) << c.rows << c.dataType;
    }
}

TEST(PlexorRdf, WeightLinesOfAHundredAndTwentyFiveAndNoRows) {
    for (const int n : {130, 125, 0}) {
        TestAlignment a{{"r", std::string(n, 'A')}, NumberedLabels(1, n), {{"S", std::string(n, 'C')}}};
        std::string weights;
        for (int k = 1; k <= n; ++k) weights += k % 125 == 0 ? "10|" : "10";
        const std::string bytes = RunFormat("rdf-old-multi", a).Bytes;
        EXPECT_EQ(bytes.substr(bytes.rfind("  1||") + 5), weights) << n;
    }
    TestAlignment none{{"r", "ACGT"}, NumberedLabels(1, 4), {}};
    const WriterRun oldRun = RunFormat("rdf-old-multi", none), newRun = RunFormat("rdf45-binary", none);
    EXPECT_EQ(oldRun.Bytes + "/" + oldRun.Progress, "/");
    EXPECT_EQ(newRun.Bytes, "  ;1.0|||");
    EXPECT_EQ(newRun.Notices, kNone);
}

TEST(PlexorRdf, BackwardThirdStateSearchAgreesWithTheSearchBeforeEachOne) {
    std::mt19937 random(12);
    int found = 0;
    for (int round = 0; round < 3000; ++round) {
        const int rows = random() % 7, columns = 1 + random() % 4, letters = 2 + random() % 5;
        TestAlignment a{{"r", std::string(columns, 'T')}, NumberedLabels(1, columns), {}};
        for (int i = 0; i < rows; ++i) {
            a.Rows.push_back({"S", ""});
            for (int c = 0; c < columns; ++c) a.Rows.back().Sequence += "ACGNX-"[random() % letters];
        }
        std::vector<std::int64_t> all;
        for (int c = 1; c <= columns; ++c) all.push_back(c);
        const char missing = round % 2 ? 'N' : 'X';
        const bool expected = testing::StepByStepRdfThirdState(a.Rows, all, missing);
        const DataSetAlignmentInput input(a.Reference, a.Labels, a.Rows, a.DataType);
        ASSERT_EQ(RdfColumnsHaveThirdState(input, all, missing), expected) << "round " << round;
        found += expected;
    }
    EXPECT_GT(found, 300);
    EXPECT_LT(found, 2700);
}

TEST(PlexorRdf, RowByRowSearchesAgreeWithTheColumnByColumnOnes) {
    std::mt19937 random(5);
    int varying = 0;
    for (int round = 0; round < 3000; ++round) {
        // Wide alignments take more than one pass of columns.
        const int columns = round % 300 == 0 ? 8190 + random() % 20 : 1 + random() % 12;
        const int rows = round % 300 == 0 ? 3 : random() % 6;
        TestAlignment a{{"r", ""}, {}, {}};
        int number = 15990 + random() % 12 + (random() % 2) * 570;  // upper or lower range, or 16569 ahead
        for (int c = 0; c < columns; ++c) {
            a.Reference.Sequence += "ACG-"[random() % 4];
            if (random() % 5 == 0) {
                a.Labels.emplace_back("");
                continue;
            }
            const int step = static_cast<int>(random() % 8);   // mostly the next number; a gap, or a step back
            number = number >= 16569 ? 1 : number + 1 + (step == 0) - 4 * (step == 1);
            a.Labels.emplace_back(std::to_string(number));
        }
        for (int i = 0; i < rows; ++i) {
            std::string row(random() % 3, '-');   // a few leading gaps; a length a little off the reference's
            for (int c = static_cast<int>(row.size()); c < columns + static_cast<int>(random() % 5) - 2; ++c)
                row += random() % 2 && c < columns ? a.Reference.Sequence[c] : "ACGT-"[random() % 5];
            a.Rows.push_back({"S", row});
        }
        const DataSetAlignmentInput alignment(a.Reference, a.Labels, a.Rows, a.DataType);
        const WriterInput input(alignment);
        const TActiveMinMax ranges = FindActiveRanges(alignment, input.Positions());
        testing::RecordingProgress fast, stepByStep;
        const std::vector<VaryingColumn> found = FindVaryingColumns(input, ranges, fast);
        ASSERT_EQ(found, testing::StepByStepVaryingColumns(input, ranges, stepByStep)) << "round " << round;
        ASSERT_EQ(fast.Log, stepByStep.Log) << "round " << round;
        varying += static_cast<int>(found.size());
        if (rows == 0) continue;
        std::vector<std::int64_t> all;
        for (int c = 1; c <= columns + 1; ++c) all.push_back(c);
        ASSERT_EQ(FindRdfBinaryStates(alignment, all), testing::StepByStepBinaryStates(alignment, all))
            << "round " << round;
    }
    EXPECT_GT(varying, 3000);
}

}  // namespace
}  // namespace sequara
