#include "platform/ScriptedPlatform.h"
#include "sequence/ForensicList.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sequara {
namespace {

using testing::TempFolder;

// One record as a compact line: names | flags | frequency | sites | ranges.
std::string Dump(const TDBF_Sequence& r) {
    std::ostringstream o;
    o << r.Name[0].view() << ',' << r.Name[1].view() << ',' << r.Name[2].view() << " |";
    if (r.dubious_HVSI) o << " ?I";
    if (r.dubious_HVSII) o << " ?II";
    o << " f" << int(r.Frequenz) << " |";
    o << " I" << (r.HVSI ? "+" : "-") << int(r.Fragezeichen_HVSI) << ':';
    for (int i = 0; i < r.HVSI_Anz; ++i) o << ' ' << r.HVSI_site[std::size_t(i)].view();
    o << " | II" << (r.HVSII ? "+" : "-") << int(r.Fragezeichen_HVSII) << ':';
    for (int i = 0; i < r.HVSII_Anz; ++i) o << ' ' << r.HVSII_site[std::size_t(i)].view();
    o << " | " << r.bereich[0] << '-' << r.bereich[1] << ',' << r.bereich[2] << '-' << r.bereich[3];
    return o.str();
}

struct ReadResult {
    TDBFDataSet data;
    std::vector<std::string> messages;
};

ReadResult Read(const std::string& bytes) {
    TempFolder folder;
    ScriptedPlatform platform;
    ReadResult result;
    ReadForensicFile(folder.write("list.for", bytes), result.data, platform);
    result.messages = platform.Messages();
    return result;
}

// A line with the given fields (numbered from 1) and empty fields between.
std::string Line(std::initializer_list<std::pair<int, std::string>> fields) {
    std::vector<std::string> all;
    for (auto& [n, text] : fields) {
        if (int(all.size()) < n) all.resize(std::size_t(n));
        all[std::size_t(n - 1)] = text;
    }
    std::string line;
    for (std::size_t i = 0; i < all.size(); ++i) line += (i ? "\t" : "") + all[i];
    return line + "\r\n";
}

TEST(ForensicReader, LineRules) {
    struct Case {
        const char* what;
        std::string file;
        std::vector<std::string> dumps;
    };
    const std::vector<Case> cases = {
        {"headers and short lines only", "AAA;names;freq\r\nAAAx\nshort\n\n12345\r\n", {}},
        // Without a field 5 the frequency stays 0.
        {"lower-case aaa is a record", "aaa;b;c\n", {"AAA,B,C | f0 | I-0: | II-0: | 0-0,0-0"}},
        {"six characters: name and frequency", "X;;;;2\n", {"X,, | f2 | I-0: | II-0: | 0-0,0-0"}},
        {"trailing separator adds no field, names upper-cased", "ab;cdefg;\nsmith;jones\n",
         {"AB,CDEFG, | f0 | I-0: | II-0: | 0-0,0-0", "SMITH,JONES, | f0 | I-0: | II-0: | 0-0,0-0"}},
        {"a stray CR is dropped, CR LF ends a line", "ab\rcdef;x\r\n", {"ABCDEF,X, | f0 | I-0: | II-0: | 0-0,0-0"}},
        {"tab and semicolon act the same", "p\tq;r\t?\t7\n", {"P,Q,R | ?I f7 | I-0: | II-0: | 0-0,0-0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReadResult r = Read(c.file);
        EXPECT_TRUE(r.messages.empty());
        std::vector<std::string> dumps;
        for (const auto& rec : r.data) dumps.push_back(Dump(rec));
        EXPECT_EQ(dumps, c.dumps);
    }
}

TEST(ForensicReader, FrequencySitesKeywordsAndAmbiguity) {
    struct Case {
        std::string line;
        std::string dump;
    };
    const std::vector<Case> cases = {
        {Line({{1, "s1"}, {5, "?"}}), "S1,, | f1 | I-0: | II-0: | 0-0,0-0"},
        {Line({{1, "s1"}, {5, ""}, {6, ""}}), "S1,, | f1 | I-0: | II-0: | 0-0,0-0"},
        {Line({{1, "s1"}, {5, "300"}}), "S1,, | f44 | I-0: | II-0: | 0-0,0-0"},
        {Line({{1, "s1"}, {5, "256"}}), "S1,, | f0 | I-0: | II-0: | 0-0,0-0"},
        {Line({{1, "s1"}, {5, "two"}}), "S1,, | f1 | I-0: | II-0: | 0-0,0-0"},
        // A site, then the keyword: the earlier site is dropped, the segment has data.
        {Line({{1, "s"}, {6, "16223.t"}, {7, "ANDERSON"}}), "S,, | f1 | I+0: | II-0: | 0-0,0-0"},
        {Line({{1, "s"}, {6, "analog anderson"}, {7, "16311.c"}}),
         "S,, | f1 | I+0: 16311.C | II-0: | 16311-16311,0-0"},
        // Too short fields are ignored; long sites are cut to 9 / 7 characters.
        {Line({{1, "s"}, {6, "1622.T"}, {7, "16223.T"}, {8, "16193.1CAA"}, {28, "73G"}, {29, "263.G"},
               {30, "315.1CCC"}}),
         "S,, | f1 | I+0: 16223.T 16193.1CA | II+0: 263.G 315.1CC | 16223-16193,263-315"},
        // HVS-II sites at positions 1 to 9 have only 3 characters: ignored.
        {Line({{1, "s"}, {28, "9.A"}, {29, "73.G"}}), "S,, | f1 | I-0: | II+0: 73.G | 0-0,73-73"},
        // Ambiguity letters at a site's end count; keywords never do.
        {Line({{1, "s"}, {6, "16223.N"}, {7, "16224.C"}, {8, "16225.y"}, {27, "?"}, {28, "ANDERSON"},
               {29, "152.R"}}),
         "S,, | ?II f1 | I+2: 16223.N 16224.C 16225.Y | II+1: 152.R | 16223-16225,152-152"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ReadResult r = Read(c.line);
        ASSERT_EQ(r.data.size(), 1u);
        EXPECT_EQ(Dump(r.data[0]), c.dump);
    }
}

TEST(ForensicReader, PlaceCoordinatesRangeAndHaplogroup) {
    struct Case {
        std::string f55, f56;
        double geo55, geo56;
    };
    const std::vector<Case> coords = {
        {"48.30N", "48,30S", 41.5, 138.5},
        {"10E", "10W", 190.0, 170.0},
        {"48.30", "", 48.05, 0.0},       // the last character is taken as the letter
        {"48.30.36n", ".12.30e", 90.0 - 48.0 - 0.5 - 0.6, 192.5},
        {"48 30'n", "", 90.0 - 4830.0, 0.0},  // only "," and "." close a number
        {"N", "x", 90.0, 0.0},
    };
    for (const Case& c : coords) {
        SCOPED_TRACE(c.f55 + " / " + c.f56);
        ReadResult r = Read(Line({{1, "s"}, {55, c.f55}, {56, c.f56}}));
        ASSERT_EQ(r.data.size(), 1u);
        EXPECT_NEAR(r.data[0].geo[0], c.geo55, 1e-9);
        EXPECT_NEAR(r.data[0].geo[1], c.geo56, 1e-9);
    }

    std::string place(300, 'p');
    ReadResult r = Read(Line({{1, "s"}, {53, place}, {57, "16024-16365, 73-340"}, {58, "H1a"}}) +
                        Line({{1, "t"}, {6, "16069.T"}, {7, "16311.C"}, {8, "16126.C"}, {57, ""}}) +
                        Line({{1, "u"}, {57, "80000 16100 16200 5 6 7"}}));
    ASSERT_EQ(r.data.size(), 3u);
    EXPECT_EQ(r.data[0].ort.str(), std::string(255, 'p'));
    EXPECT_EQ(r.data[0].Haplogroup.str(), "H1a");
    EXPECT_EQ(Dump(r.data[0]), "S,, | f1 | I-0: | II-0: | 16024-16365,73-340");
    // Missing range: first and last site in file order, not the extremes.
    EXPECT_EQ(Dump(r.data[1]), "T,, | f1 | I+0: 16069.T 16311.C 16126.C | II-0: | 16069-16126,0-0");
    // 80000 is kept in 16 bits; later numbers replace the upper bound.
    EXPECT_EQ(Dump(r.data[2]), "U,, | f1 | I-0: | II-0: | 14464-16200,5-7");
}

TEST(ForensicReader, OnlyTheFirst58FieldsAreRead) {
    std::string line = "s";
    for (int n = 2; n <= 70; ++n) line += ";" + (n == 58 ? std::string("L3b") : n >= 59 ? "16223.T" : "");
    auto fields = SplitForensicFields(line);
    ASSERT_EQ(fields.size(), 58u);
    EXPECT_EQ(fields.back(), "L3b");
    ReadResult r = Read(line + "\n");
    ASSERT_EQ(r.data.size(), 1u);
    EXPECT_EQ(r.data[0].Haplogroup.str(), "L3b");
}

TEST(ForensicReader, AtMost50000RecordsAndAMessageOnlyForAMissingFile) {
    std::string file;
    for (int i = 0; i < kForensicMaxRecords + 3; ++i) file += "sample" + std::to_string(i) + "\n";
    ReadResult r = Read(file);
    ASSERT_EQ(r.data.size(), std::size_t(kForensicMaxRecords));
    EXPECT_EQ(r.data.back().Name[0].str(), "SAMPLE49999");
    EXPECT_TRUE(r.messages.empty());

    ScriptedPlatform platform;
    TDBFDataSet data(3);
    ReadForensicFile("/nonexistent/folder/list.for", data, platform);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(platform.Messages(), std::vector<std::string>{"An Error occured while trying to open the specified File"});
}

}  // namespace
}  // namespace sequara
