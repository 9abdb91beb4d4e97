#include "platform/ScriptedPlatform.h"
#include "sequence/CharacterRules.h"
#include "sequence/FastaReader.h"
#include "sequence/FileLayer.h"
#include "tests/support/FailingFileLayer.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace sequara {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

const char* kOpenMessage = "An Error occured while trying to open the specified Fasta-File: ";
const char* kCloseMessage = "An Error occured while trying to close the specified Fasta-File: ";

struct Read {
    TFastaDataSet data;
    TCharacterName labels;
    ScriptedPlatform platform;
};

class FastaReaderTest : public ::testing::Test {
protected:
    // Reads bytes written to a file of the temporary folder.
    void read(const std::string& bytes, bool messages = true, const std::string& type = "DNA") {
        read_file(folder.write("in.fasta", bytes), messages, type);
    }
    void read_file(const std::string& name, bool messages = true, const std::string& type = "DNA") {
        ReadFastaFile(name, r.data, r.labels, messages, type, r.platform);
    }
    std::vector<std::string> labelTexts() const {
        std::vector<std::string> out;
        for (const auto& l : r.labels) out.push_back(l.str());
        return out;
    }
    TempFolder folder;
    Read r;
};

TEST_F(FastaReaderTest, LineEndsAndLetterCaseDoNotChangeTheEntries) {
    read(">one\nacgt\nAC\n>two\nGG\n");
    TFastaDataSet lf = r.data;
    read(">one\r\nACGT\r\nac\r\n\r\n>two\r\ngg\r\n");
    EXPECT_EQ(r.data, lf);
    ASSERT_EQ(lf.size(), 2u);
    EXPECT_EQ(lf[0], (TFastaSequence{"one", "ACGTAC"}));
    EXPECT_EQ(lf[1], (TFastaSequence{"two", "GG"}));
    EXPECT_TRUE(r.platform.Events.empty());
}

TEST_F(FastaReaderTest, HeaderKeepsItsTextAndTurnsSemicolonsIntoCommas) {
    read("> a;b ;c\nA\n>\n");
    ASSERT_EQ(r.data.size(), 2u);
    EXPECT_EQ(r.data[0].Name, " a,b ,c");
    EXPECT_EQ(r.data[1].Name, "");
    EXPECT_EQ(r.data[1].Sequence, "");
}

TEST_F(FastaReaderTest, CommentsAndBlankLinesAreSkipped) {
    read("#comment\n>x\n#inside\nAC\n\nGT\n");
    ASSERT_EQ(r.data.size(), 1u);
    EXPECT_EQ(r.data[0].Sequence, "ACGT");
}

TEST_F(FastaReaderTest, DisallowedCharacterAsksOnceForEachAndRemovesIt) {
    r.platform.AnswerYesNo(true);
    read(">s\nACGT NNN\n");
    ASSERT_EQ(r.data.size(), 1u);
    EXPECT_EQ(r.data[0].Sequence, "ACGTNNN");
    ASSERT_EQ(r.platform.Events.size(), 1u);
    EXPECT_EQ(r.platform.Events[0].caption, "Warning");
    EXPECT_EQ(r.platform.Events[0].text,
              "Disallowed character state found in sequence 0 (s) at position 5 ( ).  It would be ignored in "
              "further analyses. Do you want to continue?");
}

TEST_F(FastaReaderTest, PositionsCountAfterEarlierRemovalsAndSequencesFromZero) {
    r.platform.AnswerYesNo(true);
    r.platform.AnswerYesNo(true);
    read(">first\nA\n>a name longer than twenty characters\nAxzC\n");
    ASSERT_EQ(r.data.size(), 2u);
    EXPECT_EQ(r.data[1].Sequence, "AC");
    auto q = r.platform.Questions();
    ASSERT_EQ(q.size(), 2u);
    EXPECT_EQ(q[0], "Disallowed character state found in sequence 1 (a name longer than t) at position 2 (X).  It "
                    "would be ignored in further analyses. Do you want to continue?");
    EXPECT_EQ(q[1], "Disallowed character state found in sequence 1 (a name longer than t) at position 2 (Z).  It "
                    "would be ignored in further analyses. Do you want to continue?");
}

TEST_F(FastaReaderTest, AnsweringNoEmptiesTheDataSetAndStopsAsking) {
    r.data = {{"old", "A"}};
    r.platform.AnswerYesNo(false);
    read(">s\nAUUUC\n>t\nU\n");
    EXPECT_TRUE(r.data.empty());
    EXPECT_EQ(r.platform.Questions().size(), 1u);
}

TEST_F(FastaReaderTest, CharacterSetsDependOnTheExactDataType) {
    read(">s\nACGTUEFILJOPQXZ-\n", false, "DNA");
    EXPECT_EQ(r.data[0].Sequence, "ACGT-");
    read(">s\nACDEFGHIKLMNPQRSTUVWXYZBJO*123.-\n", false, "AMINO");
    EXPECT_EQ(r.data[0].Sequence, "ACDEFGHIKLMNPQRSTUVWXYZB-");
    // "dna" is not "DNA": the amino-acid set applies.
    read(">s\nEFJ\n", false, "dna");
    EXPECT_EQ(r.data[0].Sequence, "EF");
    EXPECT_TRUE(r.platform.Events.empty());
}

TEST_F(FastaReaderTest, LabelLinesParseRangesAndTheLastOneWins) {
    read("<1-3,10,x;5-2\n>s\nACGTAC\n");
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"1", "2", "3", "10", "x", "5-2"}));
    read(">s\nAC\n<1,2,\n");
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"1", "2"}));
    read("<1,,2\n>s\nA\n<7;8\n");
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"7", "8"}));
    read("<abcdefghijkl\n>s\nA\n");
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"abcdefghij"}));
}

TEST(ParseCharacterNames, PiecesRangesAndSeparators) {
    auto texts = [](const std::string& s) {
        std::vector<std::string> out;
        for (const auto& l : ParseCharacterNames(s)) out.push_back(l.str());
        return out;
    };
    EXPECT_EQ(texts("1,,2"), (std::vector<std::string>{"1", "", "2"}));
    EXPECT_TRUE(texts("").empty());
    EXPECT_EQ(texts(","), (std::vector<std::string>{""}));
    EXPECT_EQ(texts("16024-16026,1-2"), (std::vector<std::string>{"16024", "16025", "16026", "1", "2"}));
    EXPECT_EQ(texts("3-3"), (std::vector<std::string>{"3"}));
    EXPECT_EQ(texts("$A-$C"), (std::vector<std::string>{"10", "11", "12"}));
    // The last "-" decides: "-2-1" is the range -2 .. 1, "1-2-x" fails at its last "-".
    EXPECT_EQ(texts("-2-1"), (std::vector<std::string>{"-2", "-1", "0", "1"}));
    EXPECT_EQ(texts("1-2-x"), (std::vector<std::string>{"1-2-x"}));
    EXPECT_EQ(texts(" 1- 2"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(texts("1 -2"), (std::vector<std::string>{"1 -2"}));
}

TEST(ParseCharacterNames, AHugeRangeIsBoundedInsteadOfExhaustingMemory) {
    auto labels = ParseCharacterNames("1-2000000000");
    EXPECT_EQ(labels.size(), 1'000'000u);
    EXPECT_EQ(labels.front().str(), "1");
}

TEST_F(FastaReaderTest, SequenceBeforeAnyHeaderIsAFormatError) {
    r.data = {{"old", "A"}};
    read("ACGT\n>s\nA\n");
    EXPECT_TRUE(r.data.empty());
    EXPECT_EQ(r.platform.Messages(),
              (std::vector<std::string>{
                  "Error concerning the data format within fasta file Interim_Sto.txt. Please ensure correct "
                  "fasta-format."}));
}

TEST_F(FastaReaderTest, LabelsReadBeforeAFailureStay) {
    read("<1-2\nAC\n", false);
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(r.data.empty());
}

TEST_F(FastaReaderTest, FileWithoutHeadersLeavesDataAndLabelsUnchanged) {
    r.data = {{"old", "ACGT"}};
    r.labels = {"9"};
    read("# only\n#comments\n\n");
    ASSERT_EQ(r.data.size(), 1u);
    EXPECT_EQ(r.data[0].Name, "old");
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"9"}));
    read("");
    EXPECT_EQ(r.data.size(), 1u);
    EXPECT_TRUE(r.platform.Events.empty());
}

TEST_F(FastaReaderTest, MissingFileGivesOpenAndCloseMessagesAndAnEmptySet) {
    r.data = {{"old", "A"}};
    std::string missing = folder.file("nothere.fasta");
    read_file(missing);
    EXPECT_TRUE(r.data.empty());
    EXPECT_EQ(r.platform.Messages(),
              (std::vector<std::string>{kOpenMessage + missing, kCloseMessage + missing}));
    r.platform.Events.clear();
    read_file(missing, false);
    EXPECT_TRUE(r.platform.Events.empty());
}

TEST_F(FastaReaderTest, AFolderOrAnUnreadableFileIsAnOpenError) {
    read_file(folder.path().string());
    EXPECT_TRUE(r.data.empty());
    EXPECT_EQ(r.platform.Messages(), std::vector<std::string>{"Cannot read " + folder.path().string() +
                                                              ": it is a folder, not a plain file."});
    if (::geteuid() != 0) {  // root reads every file
        std::string locked = folder.write("locked.fasta", ">a\nA\n");
        ::chmod(locked.c_str(), 0);
        r.platform.Events.clear();
        read_file(locked);
        EXPECT_EQ(r.platform.Messages().front(), kOpenMessage + locked);
    }
}

TEST_F(FastaReaderTest, LeavesTheNormalisedCopyInTheCurrentFolder) {
    read(">a\r\n\r\nAC\r\nGT");
    EXPECT_EQ(ReadBytes(kInterimFileName), ">a\r\nAC\r\nGT\r\n");
}

// The copy goes through the file layer: whichever step fails, the entries
// are read and no temporary file stays, and a copy that was not made is not
// named.  The temporary files that killed reads left (plain files of exactly
// that pattern) are removed by the next read.
TEST_F(FastaReaderTest, AFailingCopyStepLosesNoEntryAndKilledReadsLeftoversAreRemoved) {
    using Step = testing::FailingFileLayer::Step;
    const std::vector<std::string> leftovers = {"Interim_Sto.txt.tmpab12cd", "Interim_Sto.txt.tmp000000"};
    const std::vector<std::string> others = {"Interim_Sto.txt.tmpab12c", "interim_sto.txt.tmpab12cd",
                                             "x.txt.tmpab12cd", "Interim_Sto.txt.tmpzzzzzz"};
    const std::string input = folder.write("in.fasta", "AC\n>a\r\n\r\nac\r\nGT");
    for (Step step : {Step::None, Step::Create, Step::Write, Step::Close, Step::Rename, Step::Remove}) {
        SCOPED_TRACE(static_cast<int>(step));
        std::filesystem::remove(kInterimFileName);
        std::ofstream(kInterimFileName, std::ios::binary) << "old copy";
        for (const std::string& name : leftovers) std::ofstream(name, std::ios::binary) << "half a copy";
        for (std::size_t i = 0; i + 1 < others.size(); ++i) std::ofstream(others[i], std::ios::binary) << "other";
        std::filesystem::create_symlink(folder.write("precious", "keep"), others.back());
        testing::FailingFileLayer files;
        files.FailAt = step;
        r = Read{};
        ReadFastaFile(input, r.data, r.labels, true, "DNA", r.platform, files);
        EXPECT_TRUE(r.data.empty());  // the format error, reported on the copy when there is one
        const bool copied = step == Step::None || step == Step::Remove;
        EXPECT_EQ(r.platform.Messages(),
                  std::vector<std::string>{"Error concerning the data format within fasta file " +
                                           (copied ? std::string(kInterimFileName) : input) +
                                           ". Please ensure correct fasta-format."});
        EXPECT_EQ(ReadBytes(kInterimFileName), copied ? "AC\r\n>a\r\nac\r\nGT\r\n" : "old copy");
        std::vector<std::string> temporaries;
        for (const auto& entry : std::filesystem::directory_iterator("."))
            if (const std::string name = entry.path().filename().string(); IsTemporaryNameOf(kInterimFileName, name))
                temporaries.push_back(name);
        std::sort(temporaries.begin(), temporaries.end());
        // The link of that pattern is no leftover of the program's.
        std::vector<std::string> left = {"Interim_Sto.txt.tmpzzzzzz"};
        if (step == Step::Remove) left = {"Interim_Sto.txt.tmp000000", "Interim_Sto.txt.tmpab12cd", left[0]};
        EXPECT_EQ(temporaries, left);
        for (const std::string& name : others) EXPECT_TRUE(std::filesystem::is_symlink(name) || ReadBytes(name) == "other");
        EXPECT_EQ(ReadBytes(others.back()), "keep");
        for (const std::string& name : leftovers) std::filesystem::remove(name);
        for (const std::string& name : others) std::filesystem::remove(name);
    }
    // With entries read, the result does not depend on the copy at all.
    testing::FailingFileLayer files;
    files.FailAt = Step::Write;
    ReadFastaFile(folder.write("good.fasta", ">a\nAC\n"), r.data, r.labels, true, "DNA", r.platform, files);
    EXPECT_EQ(r.data, (TFastaDataSet{{"a", "AC"}}));
}

TEST_F(FastaReaderTest, TheCopyIsNeverWrittenOverTheFileBeingRead) {
    // The user's file is "Interim_Sto.txt" of the current folder, reached by
    // its relative name, its absolute name, a symbolic link or a hard link.
    const std::string bytes = ">a\n\nAC\r\n<1-2\n";
    const std::string here = std::filesystem::current_path().string();
    TempFolder other;
    struct Case {
        const char* how;
        std::function<std::string()> prepare;  // returns the name given to the reader
    };
    const std::vector<Case> cases = {
        {"relative", [&] { return folder.write("unused", ""), std::string(kInterimFileName); }},
        {"absolute", [&] { return here + "/" + kInterimFileName; }},
        {"symlink",
         [&] {
             std::filesystem::remove(kInterimFileName);
             const std::string target = other.write("user.fasta", bytes);
             std::filesystem::create_symlink(target, kInterimFileName);
             return target;
         }},
        {"hardlink",
         [&] {
             std::filesystem::remove(kInterimFileName);
             const std::string target = other.write("linked.fasta", bytes);
             std::filesystem::create_hard_link(target, kInterimFileName);
             return target;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        if (!std::filesystem::is_symlink(kInterimFileName)) {
            std::filesystem::remove(kInterimFileName);
            std::ofstream(kInterimFileName, std::ios::binary) << bytes;
        }
        const std::string name = c.prepare();
        r = Read{};
        read_file(name);
        ASSERT_EQ(r.data.size(), 1u);
        EXPECT_EQ(r.data[0], (TFastaSequence{"a", "AC"}));
        EXPECT_EQ(labelTexts(), (std::vector<std::string>{"1", "2"}));
        EXPECT_TRUE(r.platform.Events.empty());
        EXPECT_EQ(ReadBytes(name), bytes);
        EXPECT_EQ(ReadBytes(kInterimFileName), bytes);
    }
    // Another file is still copied into "Interim_Sto.txt": the hard link left
    // by the last case is replaced, the file it shared untouched.
    read(">b\n\nGG\n");
    EXPECT_EQ(ReadBytes(kInterimFileName), ">b\r\nGG\r\n");
    EXPECT_EQ(ReadBytes(other.file("linked.fasta")), bytes);
}

// Whatever else holds the copy's name is replaced by the plain copy: a
// symbolic link (to a file or to nothing) is never written through, a named
// pipe never opened (the test keeps the pipe open for reading, so that a
// writer would not wait but leave bytes in it).
TEST_F(FastaReaderTest, TheCopyReplacesALinkOrAPipeOfItsNameAndNeverWritesThroughIt) {
    TempFolder other;
    const std::string precious = other.write("precious.txt", "keep me");
    const std::vector<std::function<void()>> holders = {
        [&] { std::filesystem::create_symlink(precious, kInterimFileName); },
        [&] { std::filesystem::create_symlink(other.file("new.txt"), kInterimFileName); },
        [&] { ASSERT_EQ(::mkfifo(kInterimFileName, 0644), 0); },
    };
    for (std::size_t i = 0; i < holders.size(); ++i) {
        SCOPED_TRACE(i);
        std::filesystem::remove(kInterimFileName);
        holders[i]();
        const int pipe = i == 2 ? ::open(kInterimFileName, O_RDONLY | O_NONBLOCK) : -1;
        read(">b\n\nGG\n");
        char byte = 0;
        EXPECT_LE(pipe >= 0 ? ::read(pipe, &byte, 1) : 0, 0);
        if (pipe >= 0) ::close(pipe);
        EXPECT_EQ(r.data, (TFastaDataSet{{"b", "GG"}}));
        EXPECT_EQ(ReadBytes(precious), "keep me");
        EXPECT_FALSE(std::filesystem::exists(other.file("new.txt")));
        if (std::filesystem::symlink_status(kInterimFileName).type() != std::filesystem::file_type::regular) {
            ADD_FAILURE() << "the copy's name is no plain file";  // and reading a pipe would wait
            continue;
        }
        EXPECT_EQ(ReadBytes(kInterimFileName), ">b\r\nGG\r\n");
        for (const auto& entry : std::filesystem::directory_iterator("."))
            EXPECT_FALSE(IsTemporaryNameOf(kInterimFileName, entry.path().filename().string()));
    }
}

TEST_F(FastaReaderTest, ResultTellsEntriesFromNoEntriesFromFailure) {
    const std::string some = folder.write("some.fasta", ">a\nAC\n");
    const std::string none = folder.write("none.fasta", "#\n\n<1-3\n");
    const std::string bad = folder.write("bad.fasta", "AC\n");
    EXPECT_EQ(ReadFastaFile(some, r.data, r.labels, false, "DNA", r.platform), FastaReadResult::Entries);
    EXPECT_EQ(ReadFastaFile(none, r.data, r.labels, false, "DNA", r.platform), FastaReadResult::NoEntries);
    EXPECT_EQ(r.data.size(), 1u);  // the caller's entries stay
    EXPECT_EQ(r.labels.size(), 3u);
    EXPECT_EQ(ReadFastaFile(bad, r.data, false, "DNA", r.platform), FastaReadResult::Failed);
    EXPECT_TRUE(r.data.empty());
    EXPECT_EQ(ReadFastaFile(folder.file("missing"), r.data, false, "DNA", r.platform), FastaReadResult::Failed);
    // Without a label list the label lines are skipped; the entries are the same.
    EXPECT_EQ(ReadFastaFile(some, r.data, false, "DNA", r.platform), FastaReadResult::Entries);
    EXPECT_EQ(r.data, (TFastaDataSet{{"a", "AC"}}));
}

TEST_F(FastaReaderTest, LabelExpansionIsBoundByTheFileSize) {
    // A small file whose label lines each ask for a million labels.
    std::string text = ">s\nACGT\n";
    for (int i = 0; i < 1600; ++i) text += "<1-999999\n";
    text += "<5-999999\n";
    read(text, false);
    EXPECT_EQ(r.labels.size(), text.size());  // one label per byte at most
    EXPECT_EQ(r.labels.front().str(), "5");   // the last line wins
    EXPECT_EQ(r.labels.back().str(), std::to_string(5 + text.size() - 1));
    // A reference whose labels fit is read whole.
    read("<16024-16027,x\n>r\nACGTA\n");
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"16024", "16025", "16026", "16027", "x"}));
}

TEST_F(FastaReaderTest, AnUnwritableCurrentFolderDoesNotFailTheRead) {
    std::string input = folder.write("in.fasta", ">a\nACGT\n<1-4\n");
    auto here = std::filesystem::current_path();
    TempFolder readOnly;
    std::filesystem::create_directory(readOnly.path() / kInterimFileName);  // cannot be opened as a file
    std::filesystem::current_path(readOnly.path());
    read_file(input);
    std::filesystem::current_path(here);
    ASSERT_EQ(r.data.size(), 1u);
    EXPECT_EQ(r.data[0].Sequence, "ACGT");
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_TRUE(r.platform.Events.empty());
}

TEST_F(FastaReaderTest, OnlyCarriageReturnsMakeOneLine) {
    // A lone CR is no line end: the whole file is one header line.
    read(">a\rACGT\r>b\rGG\r");
    ASSERT_EQ(r.data.size(), 1u);
    EXPECT_EQ(r.data[0].Name, "aACGT>bGG");
    EXPECT_EQ(r.data[0].Sequence, "");
}

TEST_F(FastaReaderTest, NulBytesAndBinaryGarbageNeverCrash) {
    std::string withNul = std::string(">a\n", 3) + std::string("AC\0GT\n", 6);
    read(withNul, false);
    ASSERT_EQ(r.data.size(), 1u);
    EXPECT_EQ(r.data[0].Sequence, "ACGT");

    std::mt19937 random(7);
    std::string garbage(200000, '\0');
    for (char& c : garbage) c = static_cast<char>(random() & 0xFF);
    read(garbage, true);  // every question unanswered means No
    EXPECT_TRUE(r.data.empty());
    EXPECT_LE(r.platform.Questions().size(), 1u);
    read(">x\n" + garbage, false);
    ASSERT_FALSE(r.data.empty());
    for (const auto& e : r.data)
        for (char c : e.Sequence) EXPECT_TRUE(IsAllowedCharacter(c, "DNA"));
}

TEST_F(FastaReaderTest, AFiftyMegabyteLineKeepsEveryAllowedCharacter) {
    std::string line(50'000'000, 'a');
    for (std::size_t i = 0; i < line.size(); i += 1000) line[i] = '1';  // 50,000 disallowed characters
    read(">big\n" + line + "\n", false);
    ASSERT_EQ(r.data.size(), 1u);
    EXPECT_EQ(r.data[0].Sequence.size(), 50'000'000u - 50'000u);
    EXPECT_EQ(r.data[0].Sequence.find_first_not_of('A'), std::string::npos);
}

}  // namespace
}  // namespace sequara
