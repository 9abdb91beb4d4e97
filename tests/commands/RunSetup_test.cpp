#include "commands/RunSetup.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/IniFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace sequara {
namespace {

using testing::ReadBytes;
using testing::ShippedDefault;
using testing::TempFolder;

class RunSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.ApplicationFolder = folder.path().string() + "/";
        state.SettingsFileName = state.ApplicationFolder + kSettingsFileName;
        state.DataType = "DNA";
    }
    void writeReference(const std::string& bytes) { folder.write(kReferenceFileName, bytes); }
    bool readAndCheck() {
        ReadReference(state, platform);
        return CheckReference(state, platform, ReferenceCheckMoment::StartUp, MissingReferenceMessage());
    }
    TempFolder folder;
    ScriptedPlatform platform;
    WorkingState state;
};

TEST_F(RunSetupTest, ApplicationFolderEndsWithItsSeparator) {
    EXPECT_EQ(ApplicationFolderOf("/opt/sequara/bin/sequara"), "/opt/sequara/bin/");
    EXPECT_EQ(ApplicationFolderOf("C:\\Programs\\Sequara.exe"), "C:\\Programs\\");
    EXPECT_EQ(ApplicationFolderOf("C:Sequara.exe"), "C:");
    EXPECT_EQ(ApplicationFolderOf("sequara"), "");
}

TEST_F(RunSetupTest, TheShippedSettingsGiveTheBuiltInDefaults) {
    std::filesystem::copy_file(ShippedDefault(kSettingsFileName), state.SettingsFileName);
    ReadSettings(state, platform);
    WorkingState defaults;
    ApplyDefaultSettings(defaults);
    EXPECT_EQ(state.HeaderColor, defaults.HeaderColor);
    EXPECT_EQ(state.ReferenceColor, defaults.ReferenceColor);
    EXPECT_EQ(state.MatchColor, defaults.MatchColor);
    EXPECT_EQ(state.MismatchColor, defaults.MismatchColor);
    EXPECT_EQ(state.SelectionColor, defaults.SelectionColor);
    EXPECT_EQ(state.HighlightColor, defaults.HighlightColor);
    EXPECT_EQ(state.MinAlignmentMatch, 4);
    EXPECT_EQ(state.InitialNucleotides, 15);
    EXPECT_TRUE(state.IgnoreFastaNs);
    EXPECT_TRUE(state.IgnoreFastaGaps);
    EXPECT_TRUE(platform.Events.empty());
    // A readable palette: no two of the six colours alike, none black.
    std::vector<TColor> colors{defaults.HeaderColor, defaults.ReferenceColor, defaults.MatchColor,
                               defaults.MismatchColor, defaults.SelectionColor, defaults.HighlightColor};
    for (std::size_t i = 0; i < colors.size(); ++i) {
        EXPECT_NE(colors[i], 0u);
        for (std::size_t j = i + 1; j < colors.size(); ++j) EXPECT_NE(colors[i], colors[j]);
    }
}

TEST_F(RunSetupTest, AMissingSettingsFileIsReportedAndTheDefaultsServe) {
    ReadSettings(state, platform);
    EXPECT_EQ(platform.Messages(),
              std::vector<std::string>{"Ini-File: " + state.SettingsFileName + " does not exist."});
    EXPECT_EQ(state.MinAlignmentMatch, 4);
    EXPECT_EQ(state.InitialNucleotides, 15);
    EXPECT_TRUE(state.IgnoreFastaNs && state.IgnoreFastaGaps);
    EXPECT_EQ(state.MatchColor, DefaultSettings::MatchColor);
    EXPECT_EQ(state.MismatchColor, DefaultSettings::MismatchColor);
}

TEST_F(RunSetupTest, AbsentKeysTakeTheLookupDefaults) {
    folder.write(kSettingsFileName, "[display_params]\nMATCH_COLOR=Lime\n[CALC_PARAMS]\nIGNORE_FASTA_NS=false\n");
    ReadSettings(state, platform);
    EXPECT_EQ(state.MatchColor, 0x0000FF00u);
    EXPECT_EQ(state.HeaderColor, 0u);  // present file, absent key: black
    EXPECT_EQ(state.MinAlignmentMatch, 4);
    EXPECT_EQ(state.InitialNucleotides, 15);
    EXPECT_FALSE(state.IgnoreFastaNs);
    EXPECT_TRUE(state.IgnoreFastaGaps);
    EXPECT_TRUE(platform.Events.empty());
}

TEST_F(RunSetupTest, ANonIntegerParameterIsReportedAndItsDefaultUsed) {
    folder.write(kSettingsFileName, "[CALC_PARAMS]\nMIN_ALIGNMENT_MATCH=four\nINITIAL_NUCLEOTIDES=12\n");
    ReadSettings(state, platform);
    EXPECT_EQ(platform.Messages(), std::vector<std::string>{"'four' is not a valid integer value"});
    EXPECT_EQ(state.MinAlignmentMatch, 4);
    EXPECT_EQ(state.InitialNucleotides, 12);
}

TEST_F(RunSetupTest, TheShippedReferenceIsTheLabelledControlRegion) {
    std::filesystem::copy_file(ShippedDefault(kReferenceFileName), state.ApplicationFolder + kReferenceFileName);
    EXPECT_TRUE(readAndCheck());
    ASSERT_EQ(state.ReferenceData.size(), 1u);
    const std::string& r = state.ReferenceData[0].Sequence;
    ASSERT_EQ(r.size(), 1122u);
    EXPECT_EQ(r.substr(0, 10), "TTCTTTCATG");      // rCRS 16024-16033
    EXPECT_EQ(r.substr(546, 10), "GATCACAGGT");    // rCRS 1-10
    ASSERT_EQ(state.ReferenceNumbering.size(), 1122u);
    EXPECT_EQ(state.ReferenceNumbering[0].str(), "16024");
    EXPECT_EQ(state.ReferenceNumbering[545].str(), "16569");
    EXPECT_EQ(state.ReferenceNumbering[546].str(), "1");
    EXPECT_EQ(state.ReferenceNumbering[1121].str(), "576");
    EXPECT_TRUE(platform.Events.empty());
}

TEST_F(RunSetupTest, AMissingReferenceIsReplacedByAnEmptyOneAndReported) {
    EXPECT_FALSE(readAndCheck());
    ASSERT_EQ(state.ReferenceData.size(), 1u);
    EXPECT_EQ(state.ReferenceData[0], TFastaSequence{});
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0],
              "Alignment cannot proceed. The ReferenceSequence.txt file is missing or corrupted. You may download "
              "a free example at " + std::string(kExampleReferencesAddress) + ".");
}

TEST_F(RunSetupTest, ALabelCountThatDoesNotFitIsReportedFirst) {
    writeReference("<1-5\n>ref\nACGT\n");
    EXPECT_FALSE(readAndCheck());
    EXPECT_EQ(platform.Messages(),
              std::vector<std::string>{"Error: The Reference Sequence range specifies a length of 5, but the length "
                                       "of the reference sequence is 4. Please close program and correct the "
                                       "reference Sequence file."});
    // Labels but no sequence at all: still rule 1.
    platform.Events.clear();
    writeReference("<1-3\n");
    state.ReferenceData.clear();
    state.ReferenceNumbering.clear();
    EXPECT_FALSE(readAndCheck());
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_NE(platform.Messages()[0].find("length of 3, but the length of the reference sequence is 0"),
              std::string::npos);
    // No label line: rule 1 is skipped.
    platform.Events.clear();
    state.ReferenceNumbering.clear();
    writeReference(">ref\nACGT\n");
    EXPECT_TRUE(readAndCheck());
    EXPECT_TRUE(platform.Events.empty());
}

TEST_F(RunSetupTest, TheLengthLimitIs99999) {
    EXPECT_EQ(CheckReferenceData(99999, 0), ReferenceCheck::Accepted);
    EXPECT_EQ(CheckReferenceData(100000, 0), ReferenceCheck::TooLong);
    EXPECT_EQ(CheckReferenceData(100000, 100000), ReferenceCheck::TooLong);
    EXPECT_EQ(CheckReferenceData(0, 0), ReferenceCheck::Missing);
    EXPECT_EQ(CheckReferenceData(0, 1), ReferenceCheck::LabelCountDiffers);
    EXPECT_EQ(CheckReferenceData(5, 4), ReferenceCheck::LabelCountDiffers);
    EXPECT_EQ(CheckReferenceData(5, 6), ReferenceCheck::LabelCountDiffers);

    writeReference(">ref\n" + std::string(99999, 'A') + "\n");
    EXPECT_TRUE(readAndCheck());
    writeReference("<1-100000\n>ref\n" + std::string(100000, 'A') + "\n");
    EXPECT_FALSE(readAndCheck());
    EXPECT_EQ(platform.Messages(),
              std::vector<std::string>{"ReferenceSequence is too long (more than 99999 characters). Automatic "
                                       "alignment will be disabled. Please contact corvane Technology for help."});
}

// The backup offer.
class BackupOfferTest : public RunSetupTest {
protected:
    const std::string backup = "ref;AC-G\n1;2;;3\ns1;ACTG\ns2;A--G\n";
};

TEST_F(BackupOfferTest, NothingIsAskedWithoutABackupOfTheDataType) {
    folder.write(kAminoBackupName, backup);
    EXPECT_EQ(OfferBackup(state, platform), BackupOffer::NoBackup);  // DNA ignores backup_ami.ali
    state.DataType = "AMINO";
    folder.write(kAminoBackupName, backup);
    std::filesystem::remove(folder.file(kAminoBackupName));
    folder.write(kDnaBackupName, backup);
    EXPECT_EQ(OfferBackup(state, platform), BackupOffer::NoBackup);  // AMINO ignores backup.ali
    EXPECT_TRUE(platform.Events.empty());
    EXPECT_TRUE(std::filesystem::exists(folder.file(kDnaBackupName)));
    EXPECT_EQ(BackupName("amino"), kDnaBackupName);  // exact comparison
}

TEST_F(BackupOfferTest, YesRestoresTheBackupUnderItsBareName) {
    state.DataType = "AMINO";
    folder.write(kAminoBackupName, backup);
    folder.write(kDnaBackupName, backup);
    platform.AnswerYesNo(true);
    EXPECT_EQ(OfferBackup(state, platform), BackupOffer::Restored);
    ASSERT_EQ(platform.Events.size(), 1u);
    EXPECT_EQ(platform.Events[0].text, "Have found an old backup file in the directory.Restore?");
    EXPECT_EQ(platform.Events[0].caption, "Warning");
    EXPECT_EQ(state.AlignmentTitle, "backup_ami.ali");
    EXPECT_EQ(ToFastaDataSet(state.AlignedReference), (TFastaDataSet{{"ref", "AC-G"}}));
    EXPECT_EQ(state.AlignedNumbering.size(), 4u);
    EXPECT_EQ(state.AlignedSequences.size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(folder.file(kAminoBackupName)));
    EXPECT_TRUE(std::filesystem::exists(folder.file(kDnaBackupName)));
}

TEST_F(BackupOfferTest, NoDeletesTheBackupSoTheNextStartDoesNotAsk) {
    folder.write(kDnaBackupName, backup);
    platform.AnswerYesNo(false);
    EXPECT_EQ(OfferBackup(state, platform), BackupOffer::Deleted);
    EXPECT_FALSE(std::filesystem::exists(folder.file(kDnaBackupName)));
    EXPECT_EQ(OfferBackup(state, platform), BackupOffer::NoBackup);
    EXPECT_EQ(platform.Questions().size(), 1u);
    EXPECT_TRUE(state.AlignedSequences.empty());
}

TEST_F(BackupOfferTest, AnUnreadableBackupIsReportedAndKept) {
    const std::string unreadable = "ref;ACG\n1;2\ns;ACG\n";
    folder.write("backup_unreadable.ali", "set aside at an earlier start");
    for (const auto& [dataType, keptName] : {std::pair{"DNA", "backup_unreadable_2.ali"},
                                             std::pair{"AMINO", "backup_ami_unreadable.ali"}}) {
        SCOPED_TRACE(dataType);
        state.DataType = dataType;
        platform.Events.clear();
        folder.write(BackupName(dataType), unreadable);
        state.AlignmentTitle = "Alignment Results";
        platform.AnswerYesNo(true);
        EXPECT_EQ(OfferBackup(state, platform), BackupOffer::Unreadable);
        const std::string kept = folder.file(keptName);
        EXPECT_EQ(platform.Messages(), std::vector<std::string>{"An error occured when trying to read the backup "
                                                                "file. It has been kept as " + kept + "."});
        EXPECT_EQ(ReadBytes(kept), unreadable);
        EXPECT_FALSE(std::filesystem::exists(folder.file(BackupName(dataType))));  // no autosave reaches it
        EXPECT_EQ(state.AlignmentTitle, "Alignment Results");
        EXPECT_TRUE(state.AlignedReference.empty());
        EXPECT_TRUE(state.AlignedNumbering.empty());
        EXPECT_EQ(OfferBackup(state, platform), BackupOffer::NoBackup);  // the next start asks nothing
        EXPECT_EQ(platform.Questions().size(), 1u);
    }
    EXPECT_EQ(ReadBytes(folder.file("backup_unreadable.ali")), "set aside at an earlier start");
}

TEST_F(BackupOfferTest, TheStartRemovesOnlyTheAutosavesOwnLeftoverTemporaries) {
    const std::vector<std::string> leftovers = {"backup.ali.tmpab12cd", "backup_ami.ali.tmp000000"};
    const std::vector<std::string> kept = {"backup.ali", "backup.ali.tmpab12c", "backup.ali.tmpab12cde",
                                           "backup.ali.tmpAB12CD", "x.ali.tmpab12cd", "backup.ali.tmpab-2cd",
                                           "Backup.ali.tmpab12cd"};
    for (const std::string& name : leftovers) folder.write(name, "half an alignment");
    for (const std::string& name : kept) folder.write(name, backup);
    std::filesystem::create_directory(folder.file("backup.ali.tmpfolder"));
    platform.AnswerYesNo(true);
    EXPECT_EQ(OfferBackup(state, platform), BackupOffer::Restored);
    for (const std::string& name : leftovers) EXPECT_FALSE(std::filesystem::exists(folder.file(name))) << name;
    for (const std::string& name : kept) EXPECT_EQ(ReadBytes(folder.file(name)), backup) << name;
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("backup.ali.tmpfolder")));
}

}  // namespace
}  // namespace sequara
