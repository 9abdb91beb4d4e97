#include "tests/editor/writers/WriterRun.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::LabelList;
using testing::RunFormat;
using testing::TestAlignment;

std::string Phylip(const TestAlignment& a) { return RunFormat("phylip", a).Bytes; }
std::string Nexus(const TestAlignment& a) { return RunFormat("nexus", a).Bytes; }

const std::string kHead = "#NEXUS||Begin data;|\tDimensions ntax=";
const std::string kDna = "\tFormat datatype=nucleotide gap=- missing=N ;|\tMatrix||";

TEST(PhylipNexus, CommonColumnsAndGapsOutsideEachRowsSequencedPart) {
    // Upper range 15996..16366, lower range 72..77 with an unnumbered column
    // between 74 and 76; the last column holds gaps only.
    TestAlignment a{{"rCRS", "ACGTACGTAC"},
                    LabelList({"15996", "16364", "16365", "16366", "72", "73", "74", "", "76", "77"}),
                    {{"Ab", "--C--G--T-"},             // data up to 16365 and from 73
                     {"Exactly_9", "----A-CG--"},      // lower range only
                     {"Exactly_12ch", "A--T------"}}};  // upper range only
    const std::string rows[] = {
        "--CNNG-NT",   // N between its parts and at the unnumbered column
        "-NNNA-CG-",   // N above 15996 (15996 itself keeps "-"); a letter stays wherever it is
        "A--TNNNNN",   // N at every lower-range gap
    };
    EXPECT_EQ(Phylip(a), "3  9|       Ab " + rows[0] + "|Exactly_9 " + rows[1] + "|Exactly_1 " + rows[2] + "|");
    EXPECT_EQ(Nexus(a), kHead + "3 nchar=9;|" + kDna + "          Ab " + rows[0] + "|   Exactly_9 " + rows[1] +
                            "|Exactly_12ch " + rows[2] + "|\t;|end;");
    a.DataType = "AMINO";   // missing data is X, declared as protein
    a.Rows.resize(1);       // alone, the row's own ends bound the columns
    EXPECT_EQ(Phylip(a), "1  7|       Ab CXXG-XT|");
    EXPECT_EQ(Nexus(a), kHead + "1 nchar=7;|\tFormat datatype=protein gap=- missing=X ;|\tMatrix||          Ab CXXG-XT|\t;|end;");
}

TEST(PhylipNexus, NamesNoRowsAndRowsOfGapsOnly) {
    TestAlignment a{{"r", "A"}, LabelList({"1"}), {}};
    EXPECT_EQ(Phylip(a) + "/" + Nexus(a), "/");
    for (const char* name : {"Ten_chars_", "Thirteen_char", "HG 001", "a-b", "it's", "", "x(y)z", "Long name wi"})
        a.Rows.push_back({name, "A"});
    EXPECT_EQ(Phylip(a), "8  1|Ten_chars A|Thirteen_ A|   HG 001 A|      a-b A|     it's A|          A|    x(y)z A|"
                         "Long name A|");
    // NEXUS quotes an empty name and one that a blank or a reserved
    // character would break; a quoted name may outgrow the field.
    EXPECT_EQ(Nexus(a), kHead + "8 nchar=1;|" + kDna + "  Ten_chars_ A|Thirteen_cha A|    'HG 001' A|       'a-b' A|" +
                            "     'it''s' A|          '' A|     'x(y)z' A|'Long name wi' A|\t;|end;");
    a.Rows = {{"S1", "---"}, {"S2", "---"}};   // nothing to write: 0 columns, never a negative count
    EXPECT_EQ(Phylip(a), "2  0|       S1 |       S2 |");
    EXPECT_EQ(Nexus(a), kHead + "2 nchar=0;|" + kDna + "          S1 |          S2 |\t;|end;");
}

TEST(PhylipNexus, NamesTheFieldMakesEqualOrSplitsAreNamedInOneNotice) {
    const std::string shared = "Sample_123456\" (row 1) and \"Sample_123457\" (row 2) as ";
    // Row names; each notice's middle, between the field and the closing sentence.
    const struct { std::vector<std::string> names; std::string phylip, nexus; } cases[] = {
        {{"Sample_1", "Sample_2", "Exactly_9", "Exactly_12ch"}, "", ""},
        {{"Sample_123456", "Sample_123457", "x"}, "equal names: \"" + shared + "\"Sample_12\".",
         "equal names: \"" + shared + "\"Sample_12345\"."},
        {{"HG 001", "S", "S", "Long name with blanks"},
         "equal names: \"S\" (row 2) and \"S\" (row 3) as \"S\". These names hold a blank within those "
         "characters: \"HG 001\" (row 1) and \"Long name with blanks\" (row 4).",
         "equal names: \"S\" (row 2) and \"S\" (row 3) as \"S\"."},
        {{"Ten_chars_ ", "Ten_chars_!"}, "equal names: \"Ten_chars_ \" (row 1) and \"Ten_chars_!\" (row 2) as "
         "\"Ten_chars\".", ""},   // a blank after the ninth character is not written
    };
    const auto notice = [](const char* format, int width, const std::string& middle) {
        if (middle.empty()) return std::vector<std::string>{};
        return std::vector<std::string>{"The saved " + std::string(format) + " file keeps the first " +
                                        std::to_string(width) + " characters of each name. These " +
                                        (middle[0] == 'e' ? "rows are written with " : "names ") + middle +
                                        " Programs that need distinct names will refuse or misread them."};
    };
    for (const auto& c : cases) {
        TestAlignment a{{"r", "A"}, LabelList({"1"}), {}};
        for (const std::string& name : c.names) a.Rows.push_back({name, "A"});
        EXPECT_EQ(RunFormat("phylip", a).Notices, notice("PHYLIP", 9, c.phylip)) << c.names[0];
        EXPECT_EQ(RunFormat("nexus", a).Notices, notice("NEXUS", 12, c.nexus)) << c.names[0];
    }
    TestAlignment many{{"r", "A"}, LabelList({"1"}), {}};   // long lists are cut
    for (int i = 0; i < 12; ++i) many.Rows.push_back({"Same", "A"});
    const std::string text = RunFormat("phylip", many).Notices.at(0);
    EXPECT_NE(text.find("\"Same\" (row 8) and 4 more as \"Same\"."), std::string::npos) << text;
}

}  // namespace
}  // namespace sequara
