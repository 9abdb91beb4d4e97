#include "commands/ReferenceCommands.h"
#include "commands/RunSetup.h"
#include "platform/ScriptedPlatform.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace sequara {
namespace {

using testing::TempFolder;

// The previous reference and the automatic alignment with it stay in use:
// the start-up message's "Automatic alignment will be disabled." is left out.
const std::string kTooLongMessage =
    "ReferenceSequence is too long (more than 99999 characters). Please contact corvane Technology for help.";

class ReferenceCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.DataType = "DNA";
        state.ReferenceData = {{"old", "ACGT"}};
        state.ReferenceNumbering = {"1", "2", "3", "4"};
        dialog.Filters = {{"Reference sequence files (*.txt)", "*.txt"}};
    }
    // Chooses a reference file holding the given bytes with New.
    NewReferenceOutcome chooseNew(const std::string& bytes) {
        platform.AnswerOpenFile(folder.write("ref.txt", bytes), 1);
        return LoadNewReference(state, platform, dialog);
    }
    void expectOldReference() {
        EXPECT_EQ(state.ReferenceData, (TFastaDataSet{{"old", "ACGT"}}));
        EXPECT_EQ(state.ReferenceNumbering, (TCharacterName{"1", "2", "3", "4"}));
    }
    TempFolder folder;
    ScriptedPlatform platform;
    WorkingState state;
    FileDialogOptions dialog;
};

TEST_F(ReferenceCommandsTest, CancellingTheOpenDialogChangesNothing) {
    platform.CancelOpenFile();
    EXPECT_EQ(LoadNewReference(state, platform, dialog), NewReferenceOutcome::Cancelled);
    expectOldReference();
    ASSERT_EQ(platform.OpenFileOptions.size(), 1u);
    EXPECT_EQ(platform.OpenFileOptions[0].Filters[0].Description, "Reference sequence files (*.txt)");
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(ReferenceCommandsTest, AcceptedReferencesReplaceTheRunsReferenceAndLabels) {
    EXPECT_EQ(chooseNew(">new\r\n<10-14\r\nacgtn\r\n"), NewReferenceOutcome::Accepted);
    EXPECT_EQ(state.ReferenceData, (TFastaDataSet{{"new", "ACGTN"}}));
    EXPECT_EQ(state.ReferenceNumbering, (TCharacterName{"10", "11", "12", "13", "14"}));
    EXPECT_EQ(dialog.InitialFolder, folder.path().string());

    // Without a "<" line: no labels; exactly 99999 characters is still accepted.
    EXPECT_EQ(chooseNew(">long\n" + std::string(99999, 'C') + "\n"), NewReferenceOutcome::Accepted);
    EXPECT_EQ(state.ReferenceData[0].Sequence.size(), 99999u);
    EXPECT_TRUE(state.ReferenceNumbering.empty());
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(ReferenceCommandsTest, ARefusedReferenceIsReportedAndThePreviousOneStaysInUse) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string message;  // "{file}" stands for the chosen file's full name
    };
    const std::vector<Case> cases = {
        {"labels differ", ">x\n<1-3\nACGT\n",
         "Error: The Reference Sequence range specifies a length of 3, but the length of the reference sequence "
         "is 4. Please close program and correct the reference Sequence file."},
        {"no sequence", "",
         "Alignment cannot proceed. The specified file {file} is missing or corrupted. You may download a free "
         "example at https://sequara.example.org/reference-sequences."},
        {"labels but no characters", ">x\n<1-3\n",
         "Error: The Reference Sequence range specifies a length of 3, but the length of the reference sequence "
         "is 0. Please close program and correct the reference Sequence file."},
        {"too long", ">x\n" + std::string(100000, 'A') + "\n", kTooLongMessage},
    };
    for (const Case& c : cases) {
        platform.Events.clear();
        EXPECT_EQ(chooseNew(c.bytes), NewReferenceOutcome::Refused) << c.what;
        std::string message = c.message;
        if (auto at = message.find("{file}"); at != std::string::npos)
            message.replace(at, 6, folder.file("ref.txt"));
        EXPECT_EQ(platform.Messages(),
                  std::vector<std::string>{message + " The previous reference sequence remains in use."})
            << c.what;
        expectOldReference();
    }
}

TEST_F(ReferenceCommandsTest, ADnaLookingReferenceInAnAminoRunIsAcceptedWithOneWarning) {
    // Data type, sequence, whether it warns; M is no nucleotide letter of the
    // list; gaps alone hold no letter at all.
    for (const auto& [dataType, sequence, warns] : std::vector<std::tuple<std::string, std::string, bool>>{
             {"AMINO", "ACGTACGTNN", true}, {"AMINO", "acgu-n--ACGT", true}, {"AMINO", "NNNN", true},
             {"AMINO", "ACGTM", false}, {"AMINO", "MKVLAAGIVG", false}, {"DNA", "ACGTACGTNN", false},
             {"AMINO", "----", false}}) {
        SCOPED_TRACE(dataType + " " + sequence);
        state.DataType = dataType;
        const std::vector<std::string> expected(warns ? 1 : 0, kDnaReferenceWarning);
        // Run set-up, with the reference file in the program's folder; then Reference sequence > New.
        platform.Events.clear();
        state.ApplicationFolder = folder.path().string() + "/";
        folder.write(kReferenceFileName, ">r\n" + sequence + "\n");
        state.ReferenceNumbering.clear();
        ReadReference(state, platform);
        EXPECT_TRUE(CheckReference(state, platform, ReferenceCheckMoment::StartUp, MissingReferenceMessage()));
        EXPECT_EQ(platform.Messages(), expected);
        platform.Events.clear();
        EXPECT_EQ(chooseNew(">r\n" + sequence + "\n"), NewReferenceOutcome::Accepted);
        EXPECT_EQ(platform.Messages(), expected);
    }
    // A refused reference gets its refusal only.
    platform.Events.clear();
    state.DataType = "AMINO";
    EXPECT_EQ(chooseNew(">x\n<1-3\nACGT\n"), NewReferenceOutcome::Refused);
    EXPECT_EQ(platform.Messages().size(), 1u);
}

}  // namespace
}  // namespace sequara
