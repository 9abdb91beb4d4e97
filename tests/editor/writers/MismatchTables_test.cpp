#include "editor/writers/CollapsedIdentitiesWriter.h"
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

TEST(MismatchTables, OneVaryingColumnNoneAndNoRows) {
    TestAlignment a{{"rCRS", "ACGT"}, NumberedLabels(16001, 16004), {{"S1", "ACGT"}, {"S2", "ACTT"}}};
    const std::string header = "       1|       6|       0|       0|       3|        |Ref    G|";
    EXPECT_EQ(RunFormat("mismatch", a).Bytes, header + "S1     . 1|S2     T 1|");
    EXPECT_EQ(RunFormat("mismatch", a).Progress, "show 25 50 75 hide");
    a.Rows.push_back({"S3", "ACTT"});
    a.Rows.push_back({"S4", "AC.T"});   // "." reads as agreement in the table, so it merges with S1
    EXPECT_EQ(RunFormat("collapsed", a).Bytes,
              "Collapsed sequences: |S1 with S4|S2 with S3||" + header + "S1     .  2|S2     T  2|");
    EXPECT_EQ(RunFormat("collapsed", a).Progress, "show 25 50 75 hide");

    // Nothing varies (S2 differs only outside its sequenced part, column 4
    // has no position): every row merges into the first.
    a.Labels = LabelList({"1", "2", "3", ""});
    a.Rows = {{"S1", "ACGT"}, {"S2", "ACG-"}, {"S3", "ACGT"}};
    const std::string blank = "       |       |       |       |       |       |Ref    |";
    EXPECT_EQ(RunFormat("mismatch", a).Bytes, blank + "S1      1|S2      1|S3      1|");
    EXPECT_EQ(RunFormat("collapsed", a).Bytes, "Collapsed sequences: |S1 with S2|S1 with S3||" + blank + "S1       3|");
    a.Rows.clear();
    for (const char* format : {"mismatch", "collapsed"})
        EXPECT_EQ(RunFormat(format, a).Bytes + "/" + RunFormat(format, a).Progress, "/");
}

TEST(MismatchTables, MemberCountsLongNamesAndInsertedColumns) {
    // 315, an inserted column (labelled 315, marked "i"), 316.
    TestAlignment a{{"rCRS", "C-C"}, LabelList({"315  ", "     ", "316  "}), {}};
    for (int i = 1; i <= 100; ++i) a.Rows.push_back({"Sample_" + std::to_string(i), "CAC"});
    for (int i = 1; i <= 12; ++i) a.Rows.push_back({"Other_" + std::to_string(i), "CCC"});
    a.Rows.push_back({"Sample_X", "C-T"});
    const std::string header = "       33|       11|       56|         |         |       i |Ref    -C|";
    EXPECT_EQ(RunFormat("mismatch", a).Bytes.substr(0, header.size() + 14), header + "Sample A. 1|Sa");
    const std::string bytes = RunFormat("collapsed", a).Bytes;
    // Names cut to six in the rows, whole in the pairs.
    EXPECT_EQ(bytes.substr(bytes.find(header)), header + "Sample A.100|Other_ C. 12|Sample .T  1|");
    EXPECT_EQ(bytes.substr(0, 58), "Collapsed sequences: |Sample_1 with Sample_2|Sample_1 with");
    EXPECT_NE(bytes.find("|Other_1 with Other_12||"), std::string::npos);
}

TEST(MismatchTables, HashedMergeAgreesWithComparingEveryPair) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> rows(random() % 12);
        const int kinds = 1 + random() % 5;
        for (std::string& row : rows)
            for (int k = 0; k < 3; ++k) row += std::vector<std::string>{".", "A", "-", "..", "A."}[random() % kinds];
        const testing::StepByStepMerge expected = testing::StepByStepMergeIdenticalRows(rows);
        const RowTextFunction text = [&](std::size_t i, std::string& t) { t = rows[i]; };
        // The standard hash, and one under which every text collides.
        for (const TextHash hash : {&StandardTextHash, +[](std::string_view) -> std::size_t { return 1; }}) {
            const RowGroups groups = GroupIdenticalRows(rows.size(), text, hash);
            std::vector<std::pair<std::size_t, std::size_t>> pairs;
            for (std::size_t kept = 0; kept < rows.size(); ++kept)
                for (std::size_t t = kept + 1; t < rows.size(); ++t)
                    if (groups.Group[t] == kept) pairs.emplace_back(kept, t);
            ASSERT_EQ(groups.Members, expected.Members) << "round " << round;
            ASSERT_EQ(pairs, expected.Pairs) << "round " << round;
        }
    }
}

}  // namespace
}  // namespace sequara
