#include "alignment/AlignmentFileReader.h"
#include "platform/ScriptedPlatform.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sequara {
namespace {

using testing::TempFolder;

class AlignmentFileReaderTest : public ::testing::Test {
protected:
    bool read(const std::string& bytes) {
        return ReadAlignmentFile(folder.write("a.ali", bytes), reference, labels, sequences, false, platform);
    }
    std::vector<std::string> labelTexts() const {
        std::vector<std::string> out;
        for (const auto& l : labels) out.push_back(l.str());
        return out;
    }
    TempFolder folder;
    ScriptedPlatform platform;
    TFastaDataSet reference;
    TCharacterName labels;
    TFastaDataSet sequences;
};

TEST_F(AlignmentFileReaderTest, ReadsReferenceLabelsAndSequences) {
    ASSERT_TRUE(read("rCRS;AC-GT\r\n16024;16025;;16026;16027\r\ns1;AC-GA\r\ns2;--TGT\r\n"));
    EXPECT_EQ(reference, (TFastaDataSet{{"rCRS", "AC-GT"}}));
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"16024", "16025", "", "16026", "16027"}));
    EXPECT_EQ(sequences, (TFastaDataSet{{"s1", "AC-GA"}, {"s2", "--TGT"}}));
    EXPECT_TRUE(platform.Events.empty());
}

TEST_F(AlignmentFileReaderTest, TabsSeparateLikeSemicolons) {
    ASSERT_TRUE(read("ref\tACG\n1\t2;3\ns\tAC-\n"));
    EXPECT_EQ(reference[0], (TFastaSequence{"ref", "ACG"}));
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(sequences, (TFastaDataSet{{"s", "AC-"}}));
}

TEST_F(AlignmentFileReaderTest, OnlyTheFirstSeparatorSplitsANamedLine) {
    // Reference "ACGTA;" is six characters.
    ASSERT_TRUE(read("ref;ACGTA;\n1;2;3;4;5;6\nname;AC\tGT\nnoseparator\n\n"));
    EXPECT_EQ(reference[0].Sequence, "ACGTA;");
    ASSERT_EQ(sequences.size(), 3u);
    EXPECT_EQ(sequences[0], (TFastaSequence{"name", "AC\tGT"}));
    EXPECT_EQ(sequences[1], (TFastaSequence{"noseparator", ""}));
    EXPECT_EQ(sequences[2], (TFastaSequence{"", ""}));  // an empty line is an empty sequence
}

TEST_F(AlignmentFileReaderTest, LabelsKeepTheirFirstTenCharacters) {
    ASSERT_TRUE(read("r;AC\n123456789012;x\ns;AC\n"));
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"1234567890", "x"}));
}

TEST_F(AlignmentFileReaderTest, ALabelCountThatDoesNotFitFails) {
    sequences = {{"kept", "A"}};
    EXPECT_FALSE(read("r;ACG\n1;2;3;\ns;ACG\n"));  // trailing ";": four labels
    EXPECT_EQ(reference[0].Sequence, "ACG");       // replaced as soon as line 1 was read
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"1", "2", "3"}));  // nothing beyond the third
    EXPECT_EQ(sequences, (TFastaDataSet{{"kept", "A"}}));
    EXPECT_FALSE(read("r;ACG\n1;2\ns;ACG\n"));
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"1", "2"}));  // the labels the line holds
    EXPECT_FALSE(read("r;ACG\n\ns;ACG\n"));  // an empty line 2 is one label
    EXPECT_TRUE(read("r;A\n\ns;A\n"));       // ... which fits a one-column alignment
    EXPECT_TRUE(platform.Events.empty());
}

TEST_F(AlignmentFileReaderTest, AHugeReferenceOverOneLabelIsRejectedWithoutLabelStorage) {
    // A 50-megabyte line 1 over a line 2 of one label: the read fails before
    // it stores a label per column (11 bytes each, 550 MB).  Measured as the
    // peak memory of a child process that does nothing else.
    const std::size_t columns = 50'000'000;
    std::string bytes = "r;" + std::string(columns, 'A') + "\n1\ns;A\n";
    const std::string file = folder.write("huge.ali", bytes);
    bytes = std::string();
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        struct rusage before {}, after {};
        ::getrusage(RUSAGE_SELF, &before);
        const bool read = ReadAlignmentFile(file, reference, labels, sequences, false, platform);
        ::getrusage(RUSAGE_SELF, &after);
        const long grownMegabytes = (after.ru_maxrss - before.ru_maxrss) / 1024;
        const bool labelsAsLine = labels.size() == 1 && labels[0].str() == "1";
        const bool referenceWhole = reference.size() == 1 && reference[0].Sequence.size() == columns;
        ::_exit(!read && labelsAsLine && referenceWhole && grownMegabytes < 300 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(AlignmentFileReaderTest, IncompleteFilesFailSilently) {
    EXPECT_FALSE(read(""));
    EXPECT_FALSE(read("\n"));
    EXPECT_FALSE(read("ref\n1\ns;A\n"));     // no separator: empty reference
    EXPECT_FALSE(read("ref;\n\ns;A\n"));     // nothing after it
    EXPECT_FALSE(read("ref;AC\n"));          // no line 2
    EXPECT_FALSE(read("ref;AC\r\n1;2\r\n"));  // no sequence line
    EXPECT_TRUE(sequences.empty());
    EXPECT_TRUE(platform.Events.empty());
}

TEST_F(AlignmentFileReaderTest, AFileThatCannotBeOpenedIsNamed) {
    const std::string name = folder.file("missing.ali");
    EXPECT_FALSE(ReadAlignmentFile(name, reference, labels, sequences, true, platform));
    EXPECT_EQ(platform.Messages(),
              std::vector<std::string>{"An Error occured while trying to open the specified file: " + name});
    platform.Events.clear();
    EXPECT_FALSE(ReadAlignmentFile(folder.path().string(), reference, labels, sequences, false, platform));
    EXPECT_EQ(platform.Messages().size(), 1u);
}

TEST_F(AlignmentFileReaderTest, LongAlignmentsReadCompletely) {
    const std::size_t columns = 20000;
    std::string ref(columns, 'A'), numbers, lines;
    for (std::size_t i = 0; i < columns; ++i) numbers += (i ? ";" : "") + std::to_string(i + 1);
    for (int s = 0; s < 50; ++s) lines += "seq" + std::to_string(s) + ";" + std::string(columns, 'C') + "\r\n";
    ASSERT_TRUE(read("ref;" + ref + "\r\n" + numbers + "\r\n" + lines));
    EXPECT_EQ(labels.size(), columns);
    EXPECT_EQ(labels.back().str(), "20000");
    EXPECT_EQ(sequences.size(), 50u);
    EXPECT_EQ(sequences[49].Sequence.size(), columns);
}

}  // namespace
}  // namespace sequara
