#include "platform/ScriptedPlatform.h"
#include "sequence/IntegerText.h"
#include "sequence/TextFile.h"
#include "sequence/Utilities.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

TEST(PosOfChar, FirstOccurrenceOrLengthPlusOne) {
    EXPECT_EQ(PosOfChar('.', "16129.1C"), 6);
    EXPECT_EQ(PosOfChar('.', "16129C"), 7);
    EXPECT_EQ(PosOfChar('.', ""), 1);
    EXPECT_EQ(PosOfChar('a', "banana"), 2);
}

TEST(DeleteAllChars, RemovesEveryOccurrence) {
    std::string s = " A C ";
    EXPECT_EQ(DeleteAllChars(' ', s), "AC");
    EXPECT_EQ(s, " A C ");
    EXPECT_EQ(DeleteAllChars('-', "---"), "");
}

TEST(ForceExtension, ReplacesOnlyAShortExtension) {
    auto forced = [](std::string ext, std::string name) {
        ForceExtension(ext, name);
        return name;
    };
    EXPECT_EQ(forced("*.fas", "data"), "data.fas");
    EXPECT_EQ(forced("*.fas", "data.txt"), "data.fas");
    EXPECT_EQ(forced("*.fas", "data.fas"), "data.fas");
    EXPECT_EQ(forced("*.fas", "data.FAS"), "data.fas");
    EXPECT_EQ(forced("*.fas", "my.data.backup"), "my.data.backup.fas");
    EXPECT_EQ(forced("phy", "run.nexus"), "run.nexus.phy");
    EXPECT_EQ(forced("ali", ""), ".ali");
    EXPECT_EQ(forced("ali", "a.b"), "a.ali");
}

TEST(OpenTextForWriting, AsksBeforeOverwritingAndReportsFailuresOnlyThroughOk) {
    TempFolder folder;
    std::string existing = folder.write("old.txt", "keep me");
    ScriptedPlatform platform;
    std::ofstream f;
    bool ok = true;

    platform.AnswerYesNo(false);
    OpenTextForWriting(existing, f, ok, platform);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(f.is_open());
    EXPECT_EQ(ReadBytes(existing), "keep me");
    ASSERT_EQ(platform.Events.size(), 1u);
    EXPECT_EQ(platform.Events[0].text, "The chosen file already exists! Overwrite?");
    EXPECT_EQ(platform.Events[0].caption, "Warning");

    platform.AnswerYesNo(true);
    OpenTextForWriting(existing, f, ok, platform);
    EXPECT_TRUE(ok);
    f.close();
    EXPECT_EQ(ReadBytes(existing), "");

    platform.Events.clear();
    OpenTextForWriting(folder.file("missing/x.txt"), f, ok, platform);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(platform.Events.empty());

    OpenTextForWriting(folder.file("new.txt"), f, ok, platform);
    EXPECT_TRUE(ok);
    f << "AC\r\n";
    f.close();
    EXPECT_EQ(ReadBytes(folder.file("new.txt")), "AC\r\n");
    EXPECT_TRUE(platform.Events.empty());
}

TEST(ParseInteger, DecimalAndHexadecimalForms) {
    EXPECT_EQ(ParseInteger("42"), 42);
    EXPECT_EQ(ParseInteger("  -7"), -7);
    EXPECT_EQ(ParseInteger("+7"), 7);
    EXPECT_EQ(ParseInteger("$FF"), 255);
    EXPECT_EQ(ParseInteger("0x10"), 16);
    EXPECT_EQ(ParseInteger("x1f"), 31);
    EXPECT_EQ(ParseInteger("X1F"), 31);
    EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(ParseInteger(""));
    EXPECT_FALSE(ParseInteger("   "));
    EXPECT_FALSE(ParseInteger("-"));
    EXPECT_FALSE(ParseInteger("4 "));
    EXPECT_FALSE(ParseInteger("4a"));
    EXPECT_FALSE(ParseInteger("2147483648"));
    EXPECT_FALSE(ParseInteger("99999999999999999999"));
    EXPECT_FALSE(ParseInteger("$"));
}

TEST(TextLineReader, LineEndRules) {
    TempFolder folder;
    std::string name = folder.write("t.txt", "a\r\nb\nc\rd\n\ne");
    TextLineReader reader;
    ASSERT_TRUE(reader.open(name));
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line)) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "cd", "", "e"}));
    EXPECT_TRUE(reader.close());
    EXPECT_FALSE(reader.close());
    EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd\n\ne"), lines);
    EXPECT_FALSE(reader.open(folder.file("none")));
    EXPECT_FALSE(reader.open(folder.path().string()));
}

}  // namespace
}  // namespace sequara
