#include "app/DialogParameters.h"
#include "app/DialogReferences.h"
#include "app/MainWindow.h"
#include "platform/ScriptedPlatform.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace sequara {
namespace {

using testing::AnswerNextModal;
using testing::ReadBytes;
using testing::TempFolder;

class SettingsCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(platform, folder.file("sequara"));
        WorkingState& s = window->State();
        s.DataType = "DNA";
        s.SettingsFileName = folder.file("UserSettings.txt");
        s.MinAlignmentMatch = 4;
        s.InitialNucleotides = 15;
        s.IgnoreFastaNs = true;
        s.IgnoreFastaGaps = true;
    }
    WorkingState& state() { return window->State(); }
    // Parameters > Adjust; answer receives the dialog and must close it.
    void adjust(std::function<void(TDlgParameters&)> answer) {
        AnswerNextModal([answer](QDialog* d) {
            auto* dialog = qobject_cast<TDlgParameters*>(d);
            if (!dialog) return d->reject();
            answer(*dialog);
        });
        window->AdjustParam()->trigger();
    }
    TempFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> window;
};

TEST_F(SettingsCommandsTest, TheParametersDialogShowsTheRunsValuesAndOnlyOkTakesThemBack) {
    adjust([](TDlgParameters& d) {
        EXPECT_EQ(d.windowTitle(), "Alignment parameters");
        EXPECT_EQ(d.SpinMinAlignment()->value(), 4);
        EXPECT_EQ(d.SpinShrinkUntil()->value(), 15);
        EXPECT_TRUE(d.ChkIgnoreNs()->isChecked());
        EXPECT_TRUE(d.ChkIgnoreGaps()->isChecked());
        d.SpinMinAlignment()->setValue(9);
        d.ChkIgnoreNs()->click();
        d.close();  // the close box
    });
    EXPECT_EQ(state().MinAlignmentMatch, 4);
    EXPECT_TRUE(state().IgnoreFastaNs);

    adjust([](TDlgParameters& d) {
        d.SpinMinAlignment()->setValue(19);
        d.SpinMinAlignment()->stepUp();
        d.SpinMinAlignment()->stepUp();  // stays at its top, 20
        d.SpinShrinkUntil()->setValue(2);
        d.SpinShrinkUntil()->stepDown();
        d.SpinShrinkUntil()->stepDown();  // stays at its bottom, 1
        d.ChkIgnoreGaps()->click();
        d.OKBtn()->click();
    });
    EXPECT_EQ(state().MinAlignmentMatch, 20);
    EXPECT_EQ(state().InitialNucleotides, 1);
    EXPECT_TRUE(state().IgnoreFastaNs);
    EXPECT_FALSE(state().IgnoreFastaGaps);
}

TEST_F(SettingsCommandsTest, ParametersOutsideTheSpinRangesOpenAndAreStoredAsTheBounds) {
    state().MinAlignmentMatch = 25;
    state().InitialNucleotides = 0;
    adjust([](TDlgParameters& d) {
        EXPECT_EQ(d.SpinMinAlignment()->value(), 20);
        EXPECT_EQ(d.SpinShrinkUntil()->value(), 1);
        d.OKBtn()->click();
    });
    EXPECT_EQ(state().MinAlignmentMatch, 20);
    EXPECT_EQ(state().InitialNucleotides, 1);
}

TEST_F(SettingsCommandsTest, SaveWritesTheParametersOrReportsTheMissingFile) {
    window->SaveParam()->trigger();
    EXPECT_EQ(platform.Messages(),
              std::vector<std::string>{"Ini-File: " + state().SettingsFileName + " does not exist."});

    folder.write("UserSettings.txt", "[CALC_PARAMS]\r\nIGNORE_FASTA_NS=FALSE\r\n\r\n\r\n\r\n");
    state().MinAlignmentMatch = 6;
    state().InitialNucleotides = 12;
    window->SaveParam()->trigger();
    EXPECT_EQ(ReadBytes(state().SettingsFileName),
              "[CALC_PARAMS]\r\nIGNORE_FASTA_NS=TRUE\r\nIGNORE_FASTA_GAPS=TRUE\r\nMIN_ALIGNMENT_MATCH=6\r\n"
              "INITIAL_NUCLEOTIDES=12\r\n");
    EXPECT_EQ(platform.Messages().size(), 1u);

    // A settings file that exists but cannot be replaced (its folder takes no new files, even from
    // root): the failure is shown, and nothing is confirmed.
    state().SettingsFileName = "/proc/version";
    window->SaveParam()->trigger();
    ASSERT_EQ(platform.Messages().size(), 2u);
    EXPECT_NE(platform.Messages()[1].find("/proc/version"), std::string::npos) << platform.Messages()[1];
}

TEST_F(SettingsCommandsTest, NewReferenceEnablesTheAutomaticAlignmentOnlyWhenAccepted) {
    window->Fastafile1()->setEnabled(false);
    state().ReferenceData = {{"old", "AC"}};
    platform.AnswerOpenFile(folder.write("bad.txt", ">bad\n<1-9\nACGT\n"));
    window->New1()->trigger();
    EXPECT_FALSE(window->Fastafile1()->isEnabled());
    EXPECT_EQ(state().ReferenceData, (TFastaDataSet{{"old", "AC"}}));

    platform.AnswerOpenFile(folder.write("good.txt", ">good\n<1-4\nACGT\n"));
    window->New1()->trigger();
    EXPECT_TRUE(window->Fastafile1()->isEnabled());
    EXPECT_EQ(state().ReferenceData, (TFastaDataSet{{"good", "ACGT"}}));
    EXPECT_EQ(platform.Messages().size(), 1u);
}

TEST_F(SettingsCommandsTest, TheReferenceChooserOffersTheListAndTakesTheClickedChoice) {
    state().ReferenceList = {{"rCRS", "r.txt", true, true, {{"rCRS", "ACGT"}}, {}},
                             {"RSRS", "s.txt", false, false, {}, {}},
                             {"Other", "o.txt", true, false, {{"Other", "GG"}}, {"5", "6"}}};
    AnswerNextModal([](QDialog* d) {
        auto* dialog = qobject_cast<TReferencesDlg*>(d);
        if (!dialog) return d->reject();
        const auto& boxes = dialog->CheckBoxes();
        EXPECT_EQ(boxes.size(), 3u);
        EXPECT_EQ(boxes[1]->objectName(), "Check_2");
        EXPECT_EQ(boxes[1]->text(), "RSRS (missing or corrupted)");
        EXPECT_FALSE(boxes[1]->isEnabled());
        EXPECT_EQ(boxes[2]->geometry(), QRect(10, 70, dialog->ReferenceBox()->width() - 20, 24));
        EXPECT_TRUE(boxes[0]->isChecked());
        boxes[2]->click();
        EXPECT_FALSE(boxes[0]->isChecked());
        dialog->OKBtn()->click();
    });
    window->Change1()->setEnabled(true);  // hidden and disabled in the program
    window->Change1()->trigger();
    EXPECT_FALSE(state().ReferenceList[0].Active);
    EXPECT_TRUE(state().ReferenceList[2].Active);
    EXPECT_EQ(state().ReferenceData, (TFastaDataSet{{"Other", "GG"}}));
    EXPECT_EQ(state().ReferenceNumbering, (TCharacterName{"5", "6"}));
}

}  // namespace
}  // namespace sequara
