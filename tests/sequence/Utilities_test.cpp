#include "platform/ScriptedPlatform.h"
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
    // The window of 5 characters: a dot exactly 5 from the end is found, one
    // 6 from the end is not.
    EXPECT_EQ(forced("fas", "seq.abcd"), "seq.fas");
    EXPECT_EQ(forced("fas", "seq.abcde"), "seq.abcde.fas");
    EXPECT_EQ(forced("fas", ".abcd"), ".fas");
    EXPECT_EQ(forced("ali", ""), ".ali");
    EXPECT_EQ(forced("ali", "a.b"), "a.ali");
}

TEST(OpenTextForWriting, AsksBeforeOverwritingAFileButNeverAFolder) {
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

    // A folder: no overwrite question, nothing opened, one message.
    const std::string sub = folder.file("sub");
    std::filesystem::create_directory(sub);
    folder.write("sub/inside.txt", "kept");
    platform.AnswerYesNo(true);
    OpenTextForWriting(sub, f, ok, platform);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(f.is_open());
    EXPECT_EQ(platform.YesNoAnswers.size(), 1u);  // never asked
    ASSERT_EQ(platform.Events.size(), 1u);
    EXPECT_EQ(platform.Events[0].kind, ScriptedPlatform::Kind::Message);
    EXPECT_EQ(platform.Events[0].text, "The chosen name is a folder and cannot be written: " + sub);
    EXPECT_TRUE(std::filesystem::is_directory(sub));
    EXPECT_EQ(ReadBytes(folder.file("sub/inside.txt")), "kept");
}

}  // namespace
}  // namespace sequara
