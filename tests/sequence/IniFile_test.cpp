#include "platform/ScriptedPlatform.h"
#include "sequence/IniFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sequara {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

class IniFileTest : public ::testing::Test {
protected:
    // Reads one section of a settings file holding the given bytes.
    TIniSection section(const std::string& bytes, const std::string& name) {
        std::string file = folder.write("UserSettings.txt", bytes);
        TIniFile ini(platform);
        EXPECT_TRUE(ini.OpenIniFile(file, true));
        TIniSection result = ini.ReadIniSection(name);
        ini.CloseIniFile();
        return result;
    }
    // Writes a section into a file holding the given bytes; returns the new bytes.
    std::string write(const std::string& bytes, const TIniSection& s) {
        std::string file = folder.write("UserSettings.txt", bytes);
        TIniFile ini(platform);
        EXPECT_TRUE(ini.OpenIniFile(file, true));
        ini.WriteIniSection(s);
        ini.CloseIniFile();
        return ReadBytes(file);
    }
    static TIniSection calcEntries() {
        return {"CALC_PARAMS",
                {{"IGNORE_FASTA_NS", "TRUE"}, {"IGNORE_FASTA_GAPS", "FALSE"}, {"MIN_ALIGNMENT_MATCH", "6"},
                 {"INITIAL_NUCLEOTIDES", "12"}}};
    }
    TempFolder folder;
    ScriptedPlatform platform;
};

TEST_F(IniFileTest, TheCharacterFilterKeepsExactlyEightyFourCharacters) {
    int kept = 0;
    for (int c = 0; c < 256; ++c) kept += IsIniCharacter(char(c)) ? 1 : 0;
    EXPECT_EQ(kept, 84);
    for (char c : std::string("\t#$=\"'[]<>!?*{}|~^`"))
        EXPECT_FALSE(IsIniCharacter(c)) << c;
    for (int c : {196, 214, 220, 223, 228, 246, 252}) EXPECT_TRUE(IsIniCharacter(char(c))) << c;
    for (int c : {192, 197, 233, 255}) EXPECT_FALSE(IsIniCharacter(char(c))) << c;
}

TEST_F(IniFileTest, SectionLinesAreFilteredAndSplitAtTheFirstEquals) {
    auto s = section("[X]\r\nKEY = 4\r\nA\t=B=C\r\nplain\r\n\r\n\"q#$\"=v[1]\r\n", "X");
    ASSERT_EQ(s.IniEntry.size(), 5u);
    EXPECT_EQ(s.IniEntry[0], (TIniEntry{"KEY ", " 4"}));
    EXPECT_EQ(s.IniEntry[1], (TIniEntry{"A", "BC"}));  // tab and second "=" dropped
    EXPECT_EQ(s.IniEntry[2], (TIniEntry{"plain", ""}));
    EXPECT_EQ(s.IniEntry[3], (TIniEntry{"", ""}));    // an empty line does not end the section
    EXPECT_EQ(s.IniEntry[4], (TIniEntry{"q", "v1"}));
    EXPECT_EQ(s.SectionName, "X");
}

TEST_F(IniFileTest, HeadersMatchIgnoringCaseAndTheFirstSectionWins) {
    const std::string file =
        "junk before\n[calc_params] trailing text\nmin_alignment_match=7\n[OTHER]\nMIN_ALIGNMENT_MATCH=9\n"
        "[CALC_PARAMS]\nMIN_ALIGNMENT_MATCH=8\n";
    auto s = section(file, "CALC_PARAMS");
    ASSERT_EQ(s.IniEntry.size(), 1u);
    EXPECT_EQ(TIniFile::GetIntegerIniValue(s, "MIN_ALIGNMENT_MATCH", 4), 7);
    // A header must start in the first column; a missing section reads empty.
    EXPECT_TRUE(section(" [CALC_PARAMS]\nA=1\n", "CALC_PARAMS").IniEntry.empty());
    EXPECT_TRUE(section("[CALC_PARAMS]\nA=1\n", "DISPLAY_PARAMS").IniEntry.empty());
    // "[CALC" is a prefix of a longer name only with the closing bracket.
    EXPECT_TRUE(section("[CALC_PARAMS_OLD]\nA=1\n", "CALC_PARAMS").IniEntry.empty());
    EXPECT_TRUE(platform.Events.empty());
}

TEST_F(IniFileTest, LookupsFollowTheirConversionRules) {
    auto s = section(
        "[S]\nMATCH_COLOR=Lime\nREF_COLOR=65280\nDOLLAR=$FF00\nHEX=0xFF00\nNEG=-1\nUNKNOWN=Orange\n"
        "IGNORE_FASTA_NS\t=FALSE\nIGNORE_FASTA_GAPS=yes\nT=true\nDUP=1\nDUP=2\nMIN_ALIGNMENT_MATCH = 4\n"
        "BAD=4x\nREAL=1,5\nREALDOT=1.5\n",
        "S");
    EXPECT_EQ(TIniFile::GetColorIniValue(s, "match_color", 7), 0x0000FF00u);
    EXPECT_EQ(TIniFile::GetColorIniValue(s, "REF_COLOR", 7), 0x0000FF00u);
    EXPECT_EQ(TIniFile::GetColorIniValue(s, "DOLLAR", 7), 7u);  // "$" dropped: FF00 is neither
    EXPECT_EQ(TIniFile::GetColorIniValue(s, "HEX", 7), 0xFF00u);
    EXPECT_EQ(TIniFile::GetColorIniValue(s, "NEG", 7), 0xFFFFFFFFu);
    EXPECT_EQ(TIniFile::GetColorIniValue(s, "UNKNOWN", 7), 7u);
    EXPECT_EQ(TIniFile::GetColorIniValue(s, "ABSENT", 7), 7u);
    EXPECT_FALSE(TIniFile::GetBooleanIniValue(s, "IGNORE_FASTA_NS", true));
    EXPECT_FALSE(TIniFile::GetBooleanIniValue(s, "IGNORE_FASTA_GAPS", true));
    EXPECT_TRUE(TIniFile::GetBooleanIniValue(s, "T", false));
    EXPECT_TRUE(TIniFile::GetBooleanIniValue(s, "ABSENT", true));
    EXPECT_EQ(TIniFile::GetIntegerIniValue(s, "DUP", 0), 1);
    EXPECT_EQ(TIniFile::GetIntegerIniValue(s, "MIN_ALIGNMENT_MATCH", 4), 4);  // key has a trailing blank
    EXPECT_THROW(TIniFile::GetIntegerIniValue(s, "BAD", 0), IniConversionError);
    EXPECT_EQ(TIniFile::GetStringIniValue(s, "unknown", "d"), "Orange");
    EXPECT_EQ(TIniFile::GetStringIniValue(s, "ABSENT", "d"), "d");
    EXPECT_DOUBLE_EQ(TIniFile::GetRealIniValue(s, "REAL", 0), 1.5);
    EXPECT_THROW(TIniFile::GetRealIniValue(s, "REALDOT", 0), IniConversionError);
    EXPECT_DOUBLE_EQ(TIniFile::GetRealIniValue(s, "ABSENT", 2.5), 2.5);
}

TEST_F(IniFileTest, EveryColourNameHasItsValue) {
    const std::pair<const char*, TColor> names[] = {
        {"AQUA", 16776960}, {"BLACK", 0}, {"BLUE", 16711680}, {"DKGRAY", 8421504}, {"FUCHSIA", 16711935},
        {"GRAY", 8421504}, {"GREEN", 32768}, {"LIME", 65280}, {"LTGRAY", 12632256}, {"MAROON", 128},
        {"NAVY", 8388608}, {"OLIVE", 32896}, {"PURPLE", 8388736}, {"RED", 255}, {"SILVER", 12632256},
        {"TEAL", 8421376}, {"WHITE", 16777215}, {"YELLOW", 65535}};
    for (const auto& [name, value] : names) {
        std::string lower = name;
        for (char& c : lower) c = char(std::tolower(c));
        TIniSection s{"S", {{"C", lower}}};
        EXPECT_EQ(TIniFile::GetColorIniValue(s, "C", 1), value) << name;
    }
}

TEST_F(IniFileTest, OpenReportsAMissingFileOnlyWhenAsked) {
    TIniFile quiet(platform);
    EXPECT_FALSE(quiet.OpenIniFile(folder.file("none.txt"), false));
    EXPECT_TRUE(platform.Events.empty());
    TIniFile loud(platform);
    EXPECT_FALSE(loud.OpenIniFile(folder.file("none.txt"), true));
    EXPECT_EQ(platform.Messages(),
              std::vector<std::string>{"Ini-File: " + folder.file("none.txt") + " does not exist."});
    // A folder of that name is no settings file either.
    EXPECT_FALSE(loud.OpenIniFile(folder.path().string(), false));
}

TEST_F(IniFileTest, MisuseOfTheFileIsReportedNotCrashed) {
    TIniFile ini(platform);
    EXPECT_THROW(ini.CloseIniFile(), IniFileError);
    TIniSection s = ini.ReadIniSection("CALC_PARAMS");  // never opened
    EXPECT_TRUE(s.IniEntry.empty());
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].rfind("Exception :", 0), 0u);
    EXPECT_THROW(ini.WriteIniSection(calcEntries()), IniFileError);
}

TEST_F(IniFileTest, AnUnreadableFileShowsTheOpenException) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not apply to root";
    std::string file = folder.write("UserSettings.txt", "[A]\n");
    ::chmod(file.c_str(), 0);
    TIniFile ini(platform);
    EXPECT_FALSE(ini.OpenIniFile(file, false));
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].rfind("Exception: ", 0), 0u);
}

// Writing: the section's lines take the entries by position.
TEST_F(IniFileTest, WritingOverALongerSectionEmptiesTheSurplusLines) {
    const std::string before = "[DISPLAY_PARAMS]\r\nA=1\r\n[CALC_PARAMS]\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n[Z]\r\nq=1\r\n";
    EXPECT_EQ(write(before, calcEntries()),
              "[DISPLAY_PARAMS]\r\nA=1\r\n[CALC_PARAMS]\r\nIGNORE_FASTA_NS=TRUE\r\nIGNORE_FASTA_GAPS=FALSE\r\n"
              "MIN_ALIGNMENT_MATCH=6\r\nINITIAL_NUCLEOTIDES=12\r\n\r\n\r\n[Z]\r\nq=1\r\n");
}

TEST_F(IniFileTest, WritingIntoAShortSectionInsertsEveryMissingEntryBeforeTheNextHeader) {
    const std::string before = "[calc_params]\r\nold=1\r\nold=2\r\n[DISPLAY_PARAMS]\r\nA=1\r\n";
    EXPECT_EQ(write(before, calcEntries()),
              "[calc_params]\r\nIGNORE_FASTA_NS=TRUE\r\nIGNORE_FASTA_GAPS=FALSE\r\nMIN_ALIGNMENT_MATCH=6\r\n"
              "INITIAL_NUCLEOTIDES=12\r\n[DISPLAY_PARAMS]\r\nA=1\r\n");
}

TEST_F(IniFileTest, WritingASectionAtTheEndOfTheFileAppendsTheMissingEntries) {
    // Header as the last line, without a line end.
    EXPECT_EQ(write("[A]\nx=1\n[CALC_PARAMS]", calcEntries()),
              "[A]\nx=1\n[CALC_PARAMS]\r\nIGNORE_FASTA_NS=TRUE\r\nIGNORE_FASTA_GAPS=FALSE\r\n"
              "MIN_ALIGNMENT_MATCH=6\r\nINITIAL_NUCLEOTIDES=12\r\n");
    EXPECT_EQ(write("[CALC_PARAMS]\r\nX=1\r\n", calcEntries()),
              "[CALC_PARAMS]\r\nIGNORE_FASTA_NS=TRUE\r\nIGNORE_FASTA_GAPS=FALSE\r\n"
              "MIN_ALIGNMENT_MATCH=6\r\nINITIAL_NUCLEOTIDES=12\r\n");
}

TEST_F(IniFileTest, WritingAMissingSectionAppendsItAndKeepsEveryOtherByte) {
    // LF-only lines, a stray CR, Latin-1 text, a comment and no final line end.
    const std::string before = "; settings\n[DISPLAY_PARAMS]\nHEADER_COLOR=Aqua\r\nodd\rline\n\xC4rger=\xFC";
    EXPECT_EQ(write(before, calcEntries()),
              before + "\r\n[CALC_PARAMS]\r\nIGNORE_FASTA_NS=TRUE\r\nIGNORE_FASTA_GAPS=FALSE\r\n"
                       "MIN_ALIGNMENT_MATCH=6\r\nINITIAL_NUCLEOTIDES=12\r\n");
    EXPECT_EQ(write("", calcEntries()),
              "[CALC_PARAMS]\r\nIGNORE_FASTA_NS=TRUE\r\nIGNORE_FASTA_GAPS=FALSE\r\n"
              "MIN_ALIGNMENT_MATCH=6\r\nINITIAL_NUCLEOTIDES=12\r\n");
}

TEST_F(IniFileTest, WrittenSectionsReadBackAndLeaveTheOtherSectionAlone) {
    const std::string before = "[DISPLAY_PARAMS]\r\nHEADER_COLOR=Aqua\r\nMATCH_COLOR=65280\r\n[CALC_PARAMS]\r\n";
    std::string after = write(before, calcEntries());
    EXPECT_EQ(after.substr(0, before.size()), before);
    std::string file = folder.write("UserSettings.txt", after);
    TIniFile ini(platform);
    ASSERT_TRUE(ini.OpenIniFile(file, true));
    TIniSection calc = ini.ReadIniSection("CALC_PARAMS");
    TIniSection display = ini.ReadIniSection("DISPLAY_PARAMS");
    ini.CloseIniFile();
    EXPECT_EQ(calc.IniEntry, calcEntries().IniEntry);
    EXPECT_EQ(TIniFile::GetColorIniValue(display, "HEADER_COLOR", 0), 16776960u);
    EXPECT_EQ(TIniFile::GetColorIniValue(display, "MATCH_COLOR", 0), 65280u);
}

TEST_F(IniFileTest, EveryHeaderOfTheSectionIsWritten) {
    EXPECT_EQ(write("[S]\na\n[T]\n[s]\nb\nc\n", {"S", {{"K", "1"}, {"L", "2"}}}),
              "[S]\nK=1\r\nL=2\r\n[T]\n[s]\nK=1\r\nL=2\r\n");
}

TEST_F(IniFileTest, AWriteIntoAFileThatCannotBeWrittenRaisesTheError) {
    std::string file = folder.write("UserSettings.txt", "[CALC_PARAMS]\n");
    TIniFile ini(platform);
    ASSERT_TRUE(ini.OpenIniFile(file, true));
    // The file turned into a folder after it was opened.
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_THROW(ini.WriteIniSection(calcEntries()), IniFileError);
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(IniFileTest, AWriteThatFailsHalfwayLeavesTheOldFileWhole) {
    // A full disk, played by a file-size limit below the new content's size.
    std::string old = "[DISPLAY_PARAMS]\r\nHEADER_COLOR=16776960\r\nMATCH_COLOR=65280\r\n[CALC_PARAMS]\r\n";
    const std::string file = folder.write("UserSettings.txt", old);
    ::chmod(file.c_str(), 0640);
    TIniFile ini(platform);
    ASSERT_TRUE(ini.OpenIniFile(file, true));
    TIniSection big = calcEntries();
    big.IniEntry.push_back({"SPARE", std::string(300, 'x')});
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        ini.WriteIniSection(big);
    } catch (const IniFileError&) {
        threw = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_TRUE(threw);
    EXPECT_EQ(ReadBytes(file), old);
    // No temporary file is left behind.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"UserSettings.txt"});

    // The same write without the limit replaces the file and keeps its permissions.
    ini.WriteIniSection(big);
    ini.CloseIniFile();
    EXPECT_NE(ReadBytes(file).find(std::string(300, 'x')), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(IniFileTest, AWriteThroughASymbolicLinkReplacesTheTarget) {
    TempFolder elsewhere;
    const std::string target = elsewhere.write("settings.txt", "[CALC_PARAMS]\nX\n");
    const std::string link = folder.file("UserSettings.txt");
    std::filesystem::create_symlink(target, link);
    TIniFile ini(platform);
    ASSERT_TRUE(ini.OpenIniFile(link, true));
    ini.WriteIniSection({"CALC_PARAMS", {{"K", "1"}}});
    ini.CloseIniFile();
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "[CALC_PARAMS]\nK=1\r\n");
}

}  // namespace
}  // namespace sequara
