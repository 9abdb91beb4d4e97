#include "editor/writers/ExportFormats.h"
#include "editor/writers/PlexorOldRdfWriter.h"
#include "editor/writers/PlexorRdfWriter.h"
#include "tests/editor/writers/WriterRun.h"
#include "tests/support/TableWriterOracle.h"

#include <gtest/gtest.h>

#include <random>

namespace sequara {
namespace {

using testing::LabelList;
using testing::NumberedLabels;
using testing::RunWriter;
using testing::TestAlignment;
using testing::WriterRun;

WriterRun Old(const TestAlignment& a, bool binary) {
    return RunWriter([binary](const WriterInput& i, ByteSink& o, WriterServices& s) { WritePlexorOldRdfFile(i, o, s, binary); }, a);
}
WriterRun New(const TestAlignment& a, bool binary) {
    return RunWriter([binary](const WriterInput& i, ByteSink& o, WriterServices& s) { WritePlexorRdfFile(i, o, s, binary); }, a);
}

const std::vector<std::string> kNone;
const std::vector<std::string> kNs{kRdfNsMessage};
const std::vector<std::string> kThird{kRdfThirdStateMessage};

TEST(PlexorRdf, OneVaryingColumnInAllFourFormats) {
    TestAlignment a{{"rCRS", "ACGT"}, NumberedLabels(16001, 16004), {{"S1", "ACGT"}, {"S2", "ACTT"}}};
    const std::string header = "       1|       6|       0|       0|       3|        |";
    WriterRun run = Old(a, false);
    EXPECT_EQ(run.Bytes, header + "S1     G  1|S2     T  1||10");
    EXPECT_EQ(run.Notices, kNone);
    EXPECT_EQ(run.Progress, "show 25 50 75 hide");
    EXPECT_EQ(Old(a, true).Bytes, header + "S1     0  1|S2     1  1||10");
    run = New(a, false);
    EXPECT_EQ(run.Bytes, "  ;1.0|16003;|10;|>S1;1;;;;|G|>S2;1;;;;|T|");
    EXPECT_EQ(run.Progress, "show 25 50 75 hide");
    EXPECT_EQ(New(a, true).Bytes, "  ;1.0|16003;|10;|>S1;1;;;;|0|>S2;1;;;;|1|");
}

TEST(PlexorRdf, InsertionLettersRangesAndNames) {
    // Columns: 314, 315, two inserted, 316 (no difference), inserted, 317.
    TestAlignment a{{"rCRS", "CA--G-T"},
                    LabelList({"314", "315", "", "", "316", "", "317"}),
                    {{"Sample_123", "GTCCGAA"},   // sequenced 314..317
                     {"R2", "GAC-GAA"},
                     {"R3", "GA--G--"}}};          // sequenced 314..316: missing at 317
    // Inserted columns take the preceding position; the letters go on past
    // a column that is not written (316) and restart at a written one.
    const std::string header =
        "       333333|       111111|       455567|             |             |         bcd |";
    WriterRun run = Old(a, false);
    EXPECT_EQ(run.Bytes, header +
                             "Sample GTCCAA  1|"   // the old format keeps six characters of a name
                             "R2     GAC-AA  1|"
                             "R3     GA--NN  1|"   // outside its sequenced part: N
                             "|101010101010");
    EXPECT_EQ(run.Notices, kNs);
    run = Old(a, true);
    // Column 314: every row G, unlike the reference: all 0.
    EXPECT_EQ(run.Bytes, header + "Sample 000000  1|R2     010100  1|R3     0111NN  1||101010101010");
    EXPECT_EQ(run.Notices, kNs);
    run = New(a, false);
    EXPECT_EQ(run.Bytes,
              "  ;1.0|314;315;315a;315b;316c;317;|10;10;10;10;10;10;|"
              ">Sample_123;1;;;;|GTCCAA|>R2;1;;;;|GAC-AA|>R3;1;;;;|GA----|");  // no range test here
    EXPECT_EQ(run.Notices, kNone);
    run = New(a, true);
    EXPECT_EQ(run.Bytes.substr(run.Bytes.find(">")), ">Sample_123;1;;;;|000000|>R2;1;;;;|010100|>R3;1;;;;|011111|");
    EXPECT_EQ(run.Notices, kNone);
}

TEST(PlexorRdf, ThirdStatesAndMissingData) {
    struct Case {
        const char* rows;   // one character per row at the one varying column
        const char* dataType;
        const char* oldBinary;
        std::vector<std::string> oldNotices;
        const char* newBinary;
        std::vector<std::string> newNotices;
    };
    const Case cases[] = {
        {"AGC", "DNA", "01N", kNs, "011", kThird},
        {"AGN", "DNA", "01N", kNs, "011", kNs},       // N is missing data, not a third state
        {"AGNC", "DNA", "01NN", kNs, "0111", {kRdfThirdStateMessage, kRdfNsMessage}},
        {"ANG", "DNA", "01N", kNs, "011", {kRdfThirdStateMessage, kRdfNsMessage}},
        {"AGGA", "DNA", "0110", kNone, "0110", kNone},
        {"AGC", "AMINO", "01X", kNs, "011", kThird},  // amino acids: missing data is X
        {"AGN", "AMINO", "01X", kNs, "011", kThird},  // N is asparagine
        {"AGX", "AMINO", "01X", kNs, "011", kNs},
    };
    for (const Case& c : cases) {
        TestAlignment a{{"r", "T"}, LabelList({"100"}), {}, c.dataType};
        for (const char* r = c.rows; *r; ++r) a.Rows.push_back({std::string("S") + *r, std::string(1, *r)});
        std::string oldChars, newChars;
        const WriterRun oldRun = Old(a, true);
        const WriterRun newRun = New(a, true);
        for (std::size_t i = 0; i < a.Rows.size(); ++i) {
            oldChars += oldRun.Bytes[oldRun.Bytes.find(a.Rows[i].Name) + 7];
            newChars += newRun.Bytes[newRun.Bytes.find(a.Rows[i].Name + ";1;;;;|") + a.Rows[i].Name.size() + 7];
        }
        EXPECT_EQ(oldChars, c.oldBinary) << c.rows << " " << c.dataType;
        EXPECT_EQ(oldRun.Notices, c.oldNotices) << c.rows << " " << c.dataType;
        EXPECT_EQ(newChars, c.newBinary) << c.rows << " " << c.dataType;
        EXPECT_EQ(newRun.Notices, c.newNotices) << c.rows << " " << c.dataType;
    }
}

TEST(PlexorRdf, WeightLinesOfAHundredAndTwentyFiveAndNoRows) {
    for (const int n : {130, 125, 0}) {
        TestAlignment a{{"r", std::string(n, 'A')}, NumberedLabels(1, n), {{"S", std::string(n, 'C')}}};
        std::string weights;
        for (int k = 1; k <= n; ++k) weights += k % 125 == 0 ? "10|" : "10";
        const std::string bytes = Old(a, false).Bytes;
        EXPECT_EQ(bytes.substr(bytes.rfind("  1||") + 5), weights) << n;
    }
    TestAlignment none{{"r", "ACGT"}, NumberedLabels(1, 4), {}};
    WriterRun run = Old(none, false);
    EXPECT_EQ(run.Bytes + "/" + run.Progress, "/");
    run = New(none, true);
    EXPECT_EQ(run.Bytes, "  ;1.0|||");
    EXPECT_EQ(run.Notices, kNone);
}

TEST(PlexorRdf, BackwardThirdStateSearchAgreesWithTheSearchBeforeEachOne) {
    std::mt19937 random(12);
    const std::string alphabet = "ACGNX-";
    int found = 0;
    for (int round = 0; round < 3000; ++round) {
        const int rows = static_cast<int>(random() % 7);
        const int columns = 1 + static_cast<int>(random() % 4);
        const int letters = 2 + static_cast<int>(random() % 5);
        TestAlignment a{{"r", std::string(columns, 'T')}, NumberedLabels(1, columns), {}};
        for (int i = 0; i < rows; ++i) {
            std::string row;
            for (int c = 0; c < columns; ++c) row += alphabet[random() % letters];
            a.Rows.push_back({"S", row});
        }
        std::vector<std::int64_t> all;
        for (int c = 1; c <= columns; ++c) all.push_back(c);
        const char missing = round % 2 ? 'N' : 'X';
        const DataSetAlignmentInput input(a.Reference, a.Labels, a.Rows, a.DataType);
        const bool expected = testing::LiteralRdfThirdState(a.Rows, all, missing);
        ASSERT_EQ(RdfColumnsHaveThirdState(input, all, missing), expected) << "round " << round;
        found += expected;
    }
    EXPECT_GT(found, 300);
    EXPECT_LT(found, 2700);
}

}  // namespace
}  // namespace sequara

namespace sequara {
namespace {

TEST(ExportFormats, EachFilterIndexAndNameReachesItsWriter) {
    const testing::TestAlignment a{{"rCRS", "ACGT"}, testing::NumberedLabels(16001, 16004), {{"S1", "ACGT"}, {"S2", "ACTT"}}};
    const std::pair<const char*, const char*> formats[] = {
        {"rdf-old-multi", "|S2     T  1|"}, {"rdf-old-binary", "|S2     1  1|"}, {"rdf45-multi", ";;;;|T|"},
        {"rdf45-binary", ";;;;|1|"},         {"mismatch", "|S2     T 1|"},      {"collapsed", "|S2     T  1|"},
        {"phylip", "2  4|"},                 {"nexus", "#NEXUS|"}};
    int index = 3;
    for (const auto& [name, part] : formats) {
        const ExportFormat* format = ExportFormatByIndex(index);
        ASSERT_NE(format, nullptr) << index;
        EXPECT_EQ(format->Name, name);
        EXPECT_EQ(ExportFormatByName(name), format);
        EXPECT_NE(testing::RunWriter(format->Write, a).Bytes.find(part), std::string::npos) << name;
        ++index;
    }
}

}  // namespace
}  // namespace sequara
