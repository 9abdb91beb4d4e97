#include "editor/writers/ForensicWriter.h"
#include "tests/editor/writers/WriterRun.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sequara {
namespace {

using testing::LabelList;
using testing::NumberedLabels;
using testing::RunFormat;
using testing::TestAlignment;

// One written line, "|" for its CR LF: the fields 1 to 57 with a tab after each.
std::string ListLine(const std::string& name, std::vector<std::string> upper, std::vector<std::string> lower,
                     const std::string& range) {
    upper.resize(21);
    lower.resize(25);
    std::string line = name + "\t\t\t\t1\t";
    for (const auto& s : upper) line += s + "\t";
    line += "\t";
    for (const auto& s : lower) line += s + "\t";
    return line + "\t\t\t\t" + range + "\t|";
}

TEST(ForensicWriter, LinesRangesAndNames) {
    // 16192 16193 (inserted) 16194 | 72 73 74
    TestAlignment a{{"rCRS", "AC-GTAC"},
                    LabelList({"16192", "16193", "", "16194", "72", "73", "74"}),
                    {{"same", "AC-GTAC"},
                     {"lower only", "----TGC"},
                     {"in\tsert;ed", "ACTC-A-"},
                     {"no data", "-------"},
                     {"deletion", "-CATT-C"}}};
    const std::string expected = ListLine("same", {"Anderson"}, {"Anderson"}, "16192-16194,72-74") +
                                 ListLine("lower only", {}, {"73.G"}, "72-74") +
                                 ListLine("in sert ed", {"16193.1T", "16194.C"}, {"Anderson"}, "16192-16194,73-73") +
                                 ListLine("no data", {}, {}, "") +
                                 ListLine("deletion", {"16193.1A", "16194.T"}, {"73.-"}, "16193-16194,72-74");
    testing::WriterRun run = RunFormat("forensic", a);
    EXPECT_EQ(run.Bytes, expected);
    EXPECT_TRUE(run.Notices.empty());
    EXPECT_EQ(std::count(run.Bytes.begin(), run.Bytes.end(), '\t'), 5 * 57);
    EXPECT_EQ(run.Progress, "");

    EXPECT_EQ(RunFormat("forensic", TestAlignment{{"rCRS", "AC"}, LabelList({"1", "2"}), {}}).Bytes, "");
    EXPECT_EQ(RunFormat("gravity", a).Bytes, "");
}

TEST(ForensicWriter, TooManySitesAndLongInsertionsLeaveTheRowOut) {
    // 22 upper positions; the reference is all A.
    TestAlignment a{{"rCRS", std::string(22, 'A')}, NumberedLabels(16001, 16022), {}};
    a.Rows = {{"twenty-one", std::string(21, 'C') + "A"}, {"twenty-two", std::string(22, 'C')}, {"next", "AAAAAAAAAG" + std::string(12, 'A')}};
    testing::WriterRun run = RunFormat("forensic", a);
    std::vector<std::string> sites;
    for (int p = 16001; p <= 16021; ++p) sites.push_back(std::to_string(p) + ".C");
    EXPECT_EQ(run.Bytes, ListLine("twenty-one", sites, {}, "16001-16022") + ListLine("next", {"16010.G"}, {}, "16001-16022"));
    EXPECT_EQ(run.Notices, std::vector<std::string>{
                               "An error occured generating the mutations of sequence twenty-two because there are too "
                               "many mutations/deletions. Please check the sequence and try again"});

    // Nine inserted characters after 315 fit; ten cannot be told apart from one.
    TestAlignment b{{"rCRS", "A" + std::string(10, '-') + "C"}, LabelList({"315", "", "", "", "", "", "", "", "", "", "", "316"}), {}};
    b.Rows = {{"nine", "A" + std::string(9, 'T') + "-C"}, {"ten", "A" + std::string(10, 'T') + "C"}};
    run = RunFormat("forensic", b);
    std::vector<std::string> nine;
    for (int n = 1; n <= 9; ++n) nine.push_back("315." + std::to_string(n) + "T");
    EXPECT_EQ(run.Bytes, ListLine("nine", {}, nine, "315-316"));
    ASSERT_EQ(run.Notices.size(), 1u);
    EXPECT_EQ(run.Notices[0], std::string(kForensicOverflowStart) + "ten" + kForensicLongInsertionEnd);
}

}  // namespace
}  // namespace sequara
