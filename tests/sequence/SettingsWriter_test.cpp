#include "platform/ScriptedPlatform.h"
#include "sequence/SettingsWriter.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>


namespace sequara {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

class SettingsWriterTest : public ::testing::Test {
protected:
    void SetUp() override { state.SettingsFileName = folder.file("UserSettings.txt"); }
    // Writes the section into a settings file holding the given bytes and
    // returns the file's new bytes.
    std::string save(const std::string& bytes, const TIniSection& section) {
        folder.write("UserSettings.txt", bytes);
        EXPECT_TRUE(WriteSettingsSection(state, section, platform));
        return ReadBytes(state.SettingsFileName);
    }
    TempFolder folder;
    ScriptedPlatform platform;
    WorkingState state;
};

TEST_F(SettingsWriterTest, ParametersGoToTheFirstFourLinesOfTheirSectionInOrder) {
    state.IgnoreFastaNs = true;
    state.IgnoreFastaGaps = true;
    state.MinAlignmentMatch = 6;
    state.InitialNucleotides = 12;
    const std::string display = "[DISPLAY_PARAMS]\r\nHEADER_COLOR=1\r\n";
    EXPECT_EQ(save(display + "[calc_params]\r\nMIN_ALIGNMENT_MATCH=4\r\nX=1\r\nY=2\r\nZ=3\r\n", CalcParamsSection(state)),
              display + "[calc_params]\r\nIGNORE_FASTA_NS=TRUE\r\nIGNORE_FASTA_GAPS=TRUE\r\nMIN_ALIGNMENT_MATCH=6\r\n"
                        "INITIAL_NUCLEOTIDES=12\r\n");
    state.IgnoreFastaNs = false;
    state.IgnoreFastaGaps = false;
    EXPECT_EQ(save("", CalcParamsSection(state)),
              "[CALC_PARAMS]\r\nIGNORE_FASTA_NS=FALSE\r\nIGNORE_FASTA_GAPS=FALSE\r\nMIN_ALIGNMENT_MATCH=6\r\n"
              "INITIAL_NUCLEOTIDES=12\r\n");
    EXPECT_TRUE(platform.Events.empty());  // nothing is confirmed
}

TEST_F(SettingsWriterTest, ASettingsFileWithoutTheSectionGetsItAppended) {
    state.MinAlignmentMatch = 5;
    state.InitialNucleotides = 30;
    EXPECT_EQ(save("[DISPLAY_PARAMS]\r\nHEADER_COLOR=AQUA", CalcParamsSection(state)),
              "[DISPLAY_PARAMS]\r\nHEADER_COLOR=AQUA\r\n[CALC_PARAMS]\r\nIGNORE_FASTA_NS=FALSE\r\n"
              "IGNORE_FASTA_GAPS=FALSE\r\nMIN_ALIGNMENT_MATCH=5\r\nINITIAL_NUCLEOTIDES=30\r\n");
}

TEST_F(SettingsWriterTest, ColoursAreWrittenAsSignedDecimalsInTheirOwnOrder) {
    state.HeaderColor = 0x00FFFF00;     // read from the name AQUA
    state.ReferenceColor = 0x000000FF;  // pure red
    state.MatchColor = 0xFF00000F;      // a system colour
    state.MismatchColor = 0x80000005;
    state.SelectionColor = 0x00FFFFFF;
    state.HighlightColor = 0;
    EXPECT_EQ(save("[DISPLAY_PARAMS]\r\nHEADER_COLOR=AQUA\r\n[CALC_PARAMS]\r\nMIN_ALIGNMENT_MATCH=4\r\n",
                   DisplayParamsSection(state)),
              "[DISPLAY_PARAMS]\r\nHEADER_COLOR=16776960\r\nREFERENCE_COLOR=255\r\nMATCH_COLOR=-16777201\r\n"
              "MISMATCH_COLOR=-2147483643\r\nSELECTION_COLOR=16777215\r\nHIGHLIGHT_COLOR=0\r\n"
              "[CALC_PARAMS]\r\nMIN_ALIGNMENT_MATCH=4\r\n");
}

}  // namespace
}  // namespace sequara
