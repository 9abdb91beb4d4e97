#include "alignment/AlignmentFileReader.h"
#include "platform/ScriptedPlatform.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(labels.size(), 3u);
    EXPECT_FALSE(read("r;ACG\n\ns;ACG\n"));  // an empty line 2 is one label
    EXPECT_TRUE(read("r;A\n\ns;A\n"));       // ... which fits a one-column alignment
    EXPECT_TRUE(platform.Events.empty());
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
