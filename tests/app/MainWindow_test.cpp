#include "commands/AutomaticAlignmentCommand.h"
#include "app/DataDefinitionDialog.h"
#include "app/DialogParameters.h"
#include "commands/ForensicImport.h"
#include "app/MainWindow.h"
#include "commands/RunSetup.h"
#include "editor/ui/FrmAlignmentCorrection.h"
#include "tests/support/EditorDump.h"
#include "platform/ScriptedPlatform.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <filesystem>

namespace sequara {
namespace {

using testing::AnswerNextModal;
using testing::CopyShippedDefaults;
using testing::TempFolder;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        CopyShippedDefaults(folder);
        window = std::make_unique<MainWindow>(platform, folder.file("sequara"));
    }
    // Continue on the front panel, answering the data-type dialog.
    void pressContinue(bool amino = false, bool confirm = true) {
        window->FormActivate();
        AnswerNextModal([amino, confirm](QDialog* dialog) {
            auto* d = qobject_cast<TDlgDataDefinition*>(dialog);
            if (!d) return dialog->reject();
            if (amino) d->RadioAmino()->click();
            if (confirm) d->BitBtn1()->click();
            else d->close();  // the close box
        });
        window->FrontPanelOKButton()->click();
    }
    // Exit in the message loop: the program's exit code, or 99 while it keeps running.
    int exitCode(int waitMs) {
        QTimer::singleShot(0, [this] { w().Exit1()->trigger(); });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        watchdog.start(waitMs);
        return QApplication::exec();
    }
    MainWindow& w() { return *window; }
    FrmAlignmentCorrection* editor() { return FindAlignmentEditor(w().mdiArea()); }

    TempFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, TheMenuTreeHasItsCaptionsAndLayoutStates) {
    QList<QAction*> top = w().menuBar()->actions();
    QStringList captions;
    for (QAction* a : top) captions << a->text();
    EXPECT_EQ(captions, (QStringList{"&Load", "&Reference sequence", "&Parameters", "&About", "&Help", "&Exit"}));
    QStringList load;
    for (QAction* a : w().LoadMenu()->actions()) load << a->text();
    EXPECT_EQ(load, (QStringList{"Fasta file (auto align auto reverse)", "&Fasta file (auto align)",
                                 "Fa&sta file (display only)", "Temporary &Alignment", "&Gravity format",
                                 "F&orensic format"}));
    EXPECT_EQ(w().Change1()->text(), "&Change");
    EXPECT_EQ(w().New1()->text(), "&New");
    EXPECT_EQ(w().AdjustParam()->text(), "Ad&just");
    EXPECT_EQ(w().SaveParam()->text(), "Save");
    EXPECT_EQ(w().Outputformats1()->text(), "Output &formats");
    EXPECT_EQ(w().Pooralignmentresult1()->text(), "&Poor alignment result");
    EXPECT_EQ(w().Other1()->text(), "&Other");

    EXPECT_TRUE(w().Loadfromfastafile1()->isEnabled());
    EXPECT_FALSE(w().Gravityformat1()->isVisible());
    EXPECT_TRUE(w().Forensicformat1()->isVisible());
    EXPECT_FALSE(w().Referencesequence1()->isEnabled());
    EXPECT_FALSE(w().Change1()->isEnabled());
    EXPECT_FALSE(w().Change1()->isVisible());
    EXPECT_TRUE(w().New1()->isEnabled());
    EXPECT_FALSE(w().Parameters1()->isEnabled());
    EXPECT_FALSE(w().About1()->isEnabled());
    EXPECT_FALSE(w().Help1()->isEnabled());
    EXPECT_TRUE(w().Exit1()->isEnabled());
    EXPECT_EQ(w().windowTitle(), "Sequara");
    EXPECT_TRUE(w().State().FirstActivation);
    EXPECT_FALSE(w().State().AutoReverse);
    EXPECT_FALSE(w().AlignmentMessageBox()->isVisibleTo(&w()));
    EXPECT_EQ(w().AlignmentMessageLabel()->text(), "Alignment is in progress. Please wait.");
}

TEST_F(MainWindowTest, TheSmallestWindowLeavesAClientAreaOf900By626) {
    w().resize(100, 100);
    w().show();
    QApplication::processEvents();
    EXPECT_EQ(w().mdiArea()->size(), QSize(900, 626));
}

TEST_F(MainWindowTest, TheFirstActivationLocksTheMenusAndShowsTheFrontPanel) {
    w().show();
    QApplication::processEvents();
    w().FormActivate();  // whether or not the window system activated it already
    EXPECT_FALSE(w().State().FirstActivation);
    EXPECT_FALSE(w().Loadfromfastafile1()->isEnabled());
    EXPECT_FALSE(w().Exit1()->isEnabled());
    for (QAction* a : w().menuBar()->actions()) EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_EQ(w().FrontLabel()->text(), "Version 1.3.3.2");
    EXPECT_TRUE(w().FrontPanel()->isVisible());
    EXPECT_EQ(w().FrontPanelOKButton()->text(), "&Continue");
    EXPECT_FALSE(w().FrontImage()->pixmap().isNull());
    EXPECT_EQ(platform.ProcessMessagesCalls, 1);
    // Later activations change nothing.
    w().Loadfromfastafile1()->setEnabled(true);
    w().FormActivate();
    EXPECT_TRUE(w().Loadfromfastafile1()->isEnabled());
    EXPECT_EQ(platform.ProcessMessagesCalls, 1);
}

TEST_F(MainWindowTest, ContinueOnTheShippedDefaultsSetsUpTheRun) {
    pressContinue();
    const WorkingState& s = w().State();
    EXPECT_EQ(s.DataType, "DNA");
    EXPECT_EQ(s.AlignmentTitle, "Alignment Results");
    EXPECT_EQ(s.ApplicationFolder, folder.path().string() + "/");
    EXPECT_EQ(s.SettingsFileName, folder.file("UserSettings.txt"));
    EXPECT_EQ(s.MinAlignmentMatch, 4);
    EXPECT_EQ(s.InitialNucleotides, 15);
    EXPECT_EQ(s.MatchColor, DefaultSettings::MatchColor);
    ASSERT_EQ(s.ReferenceData.size(), 1u);
    EXPECT_EQ(s.ReferenceData[0].Sequence.size(), 1122u);
    EXPECT_EQ(s.ReferenceNumbering.size(), 1122u);
    EXPECT_TRUE(platform.Events.empty());
    EXPECT_FALSE(w().FrontPanel()->isVisibleTo(&w()));

    for (QAction* a : w().menuBar()->actions()) EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_TRUE(w().Fastafile1()->isEnabled());
    EXPECT_TRUE(w().FastaAutoReverse()->isEnabled());
    EXPECT_FALSE(w().Forensicformat1()->isVisible());
    EXPECT_FALSE(w().Gravityformat1()->isVisible());
    EXPECT_EQ(editor(), nullptr);

    // The set-up runs once.
    const int calls = platform.ProcessMessagesCalls;
    window->FrontPanelOKButtonClick();
    EXPECT_EQ(platform.ProcessMessagesCalls, calls);
}

TEST_F(MainWindowTest, TheDataTypeIsTakenOnlyFromAConfirmedDialog) {
    pressContinue(/*amino=*/true);
    EXPECT_EQ(w().State().DataType, "AMINO");
    EXPECT_EQ(w().State().ReferenceData[0].Sequence.size(), 1122u);

    MainWindow other(platform, folder.file("sequara"));
    other.FormActivate();
    AnswerNextModal([](QDialog* dialog) {
        qobject_cast<TDlgDataDefinition*>(dialog)->RadioAmino()->click();
        dialog->close();
    });
    other.FrontPanelOKButton()->click();
    EXPECT_EQ(other.State().DataType, "DNA");
}

TEST_F(MainWindowTest, AMissingReferenceDisablesOnlyTheAutomaticAlignment) {
    std::filesystem::remove(folder.file(kReferenceFileName));
    pressContinue();
    EXPECT_EQ(platform.Messages(), std::vector<std::string>{MissingReferenceMessage()});
    EXPECT_TRUE(w().Loadfromfastafile1()->isEnabled());
    EXPECT_FALSE(w().Fastafile1()->isEnabled());
    EXPECT_FALSE(w().Forensicformat1()->isEnabled());
    EXPECT_FALSE(w().Forensicformat1()->isVisible());
    EXPECT_TRUE(w().FastaAutoReverse()->isEnabled());
    EXPECT_TRUE(w().Fastafilealreadyaligned1()->isEnabled());
    EXPECT_TRUE(w().Alignment1()->isEnabled());
    EXPECT_TRUE(w().Referencesequence1()->isEnabled());
    EXPECT_TRUE(w().Parameters1()->isEnabled());
    EXPECT_TRUE(w().Exit1()->isEnabled());
}

TEST_F(MainWindowTest, AMissingSettingsFileLeavesTheDefaultsAndTheSetUpGoesOn) {
    std::filesystem::remove(folder.file(kSettingsFileName));
    pressContinue();
    EXPECT_EQ(platform.Messages(),
              std::vector<std::string>{"Ini-File: " + folder.file("UserSettings.txt") + " does not exist."});
    EXPECT_EQ(w().State().MinAlignmentMatch, 4);
    EXPECT_EQ(w().State().HeaderColor, DefaultSettings::HeaderColor);
    EXPECT_TRUE(w().Fastafile1()->isEnabled());
}

TEST_F(MainWindowTest, TheBackupIsOfferedAfterTheMenusAreEnabledAndOpensInTheEditor) {
    folder.write(kDnaBackupName,
                 "rCRS;TTC-TTTCA\r\n16024;16025;16026;;16027;16028;16029;16030;16031\r\n"
                 "HVS1 sample 1;TTCATTTCA\r\nHVS1 sample 2;TTC-TCTCA\r\n");
    std::filesystem::remove(folder.file(kReferenceFileName));
    platform.AnswerYesNo(true);
    pressContinue();
    ASSERT_EQ(platform.Events.size(), 2u);
    EXPECT_EQ(platform.Events[0].kind, ScriptedPlatform::Kind::Message);  // the reference check first
    EXPECT_EQ(platform.Events[1].kind, ScriptedPlatform::Kind::YesNo);
    EXPECT_EQ(w().State().AlignmentTitle, "backup.ali");
    FrmAlignmentCorrection* e = editor();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(testing::DumpEditor(e->Model().Document(), e->Model().View()),
              "labels 16024|16025|16026|_____|16027|16028|16029|16030|16031\n"
              "ref : TTC-TTTCA\n"  // no run reference: the reference row takes its empty name
              "0 HVS1 sample 1: TTCATTTCA\n"
              "1 HVS1 sample 2: TTC-TCTCA\n"
              "view cell 1,0 sel 1,0-1,0 highlight -1 mismatches off undo off saved no\n");
    EXPECT_EQ(e->Model().SequenceGrid().ColCount(), 10);
    EXPECT_EQ(e->Model().SequenceGrid().RowCount(), 2);
    EXPECT_EQ(e->lblReferenceName()->text(), "rCRS");
    EXPECT_EQ(e->windowTitle(), "backup.ali");
    EXPECT_FALSE(e->Undo1()->isEnabled());
    EXPECT_FALSE(w().Loadfromfastafile1()->isEnabled());  // until the editor closes
    e->Exit1()->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(w().Loadfromfastafile1()->isEnabled());
}

TEST_F(MainWindowTest, AnUnreadableBackupOpensNothing) {
    folder.write(kDnaBackupName, "");
    platform.AnswerYesNo(true);
    pressContinue();
    EXPECT_EQ(platform.Messages(), std::vector<std::string>{"An error occured when trying to read the backup file. "
                                                            "It has been kept as " +
                                                            folder.file("backup_unreadable.ali") + "."});
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(w().State().AlignmentTitle, "Alignment Results");
    EXPECT_TRUE(std::filesystem::exists(folder.file("backup_unreadable.ali")));
}

TEST_F(MainWindowTest, DisabledItemsCannotBeChosenEvenFromCode) {
    int triggered = 0;
    QObject::connect(w().Fastafile1(), &QAction::triggered, [&triggered] { ++triggered; });
    w().Fastafile1()->setEnabled(false);
    w().Fastafile1()->trigger();
    EXPECT_EQ(triggered, 0);
    w().Fastafile1()->setEnabled(true);
    w().Fastafile1()->trigger();
    EXPECT_EQ(triggered, 1);

    // A disabled top-level menu cannot be opened from the menu bar.
    w().show();
    w().FormActivate();
    w().menuBar()->setActiveAction(w().Loadfromfastafile1());
    EXPECT_FALSE(w().LoadMenu()->isVisible());
    w().Loadfromfastafile1()->setEnabled(true);
    w().menuBar()->setActiveAction(w().Loadfromfastafile1());
    EXPECT_TRUE(w().LoadMenu()->isVisible());
    w().LoadMenu()->close();
}

TEST_F(MainWindowTest, MenuStatesSurviveDisablingTheWholeWindow) {
    // The automatic alignment disables and re-enables the whole window.
    w().FormActivate();
    w().setEnabled(false);
    w().setEnabled(true);
    for (QAction* a : w().menuBar()->actions()) EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();

    pressContinue();
    w().Loadfromfastafile1()->setEnabled(false);  // as while an editor is open
    w().setEnabled(false);
    w().setEnabled(true);
    EXPECT_FALSE(w().Loadfromfastafile1()->isEnabled());
    EXPECT_TRUE(w().Referencesequence1()->isEnabled());
    EXPECT_TRUE(w().Help1()->isEnabled());
}

TEST_F(MainWindowTest, ExitEndsTheMessageLoop) {
    pressContinue();
    EXPECT_EQ(exitCode(5000), 0);
    EXPECT_TRUE(platform.Questions().empty());
}

TEST_F(MainWindowTest, ExitAsksAboutAnUnsavedEditorAndKeepsRunningUnlessTheAnswerIsNo) {
    folder.write(kDnaBackupName, "rCRS;ACGT\r\n1;2;3;4\r\ns;ACGA\r\n");
    platform.AnswerYesNo(true);
    pressContinue();
    ASSERT_NE(editor(), nullptr);
    const std::string question = "Temporary Alignment hasn't been saved yet. Do you want to save it now?";
    platform.Events.clear();
    platform.DismissYesNo();
    EXPECT_EQ(exitCode(300), 99);
    platform.DismissYesNo();
    EXPECT_FALSE(w().close()) << "the window's close box is Exit too";
    platform.AnswerYesNo(true);
    platform.SaveFileAnswers.push_back(std::nullopt);  // the save dialog cancelled
    EXPECT_EQ(exitCode(300), 99);
    EXPECT_NE(editor(), nullptr);
    EXPECT_EQ(platform.Questions(), (std::vector<std::string>{question, question, question}));
    platform.AnswerYesNo(false);
    EXPECT_EQ(exitCode(300), 0);
    EXPECT_EQ(platform.Questions().size(), 4u);
}

// Easily lost: the parameters dialog's top for the initial nucleotides, the
// count of skipped sites past the listed ones, the reference dialog's filter.
TEST_F(MainWindowTest, SpinBoxTopSkippedSitesCountAndReferenceFilter) {
    WorkingState& state = w().State();
    AnswerNextModal([](QDialog* d) {   // the initial nucleotides go up to 30 and no further
        auto* dialog = qobject_cast<TDlgParameters*>(d);
        if (!dialog) return d->reject();
        dialog->SpinShrinkUntil()->setValue(29);
        dialog->SpinShrinkUntil()->stepUp();
        dialog->SpinShrinkUntil()->stepUp();
        dialog->OKBtn()->click();
    });
    w().AdjustParam()->trigger();
    EXPECT_EQ(state.InitialNucleotides, 30);

    // Twenty skipped sites are listed, the others counted (the record holds 22 of them).
    state.ReferenceData = {{"ref", "ACGTAC"}};
    state.ReferenceNumbering = {"16192", "16193", "16194", "1", "2", "3"};
    std::string sites;
    for (int i = 0; i < 23; ++i) sites += ";1619X." + std::to_string(i);
    platform.AnswerOpenFile(folder.write("list.for", "s1;;;;1;16193.A" + sites + "\r\n"));
    FileDialogOptions forensicDialog;
    ASSERT_TRUE(ImportForensicList(state, platform, forensicDialog));
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_TRUE(platform.Messages()[0].ends_with("S1 1619X.19 and 2 more")) << platform.Messages()[0];

    // Reference sequence > New opens where the last one left: its folder and its filter.
    platform.AnswerOpenFile(folder.file("missing.fas"), 2);
    w().New1()->trigger();
    platform.CancelOpenFile();
    w().New1()->trigger();
    ASSERT_EQ(platform.OpenFileOptions.size(), 3u);
    EXPECT_EQ(platform.OpenFileOptions[2].FilterIndex, 2);
    EXPECT_EQ(platform.OpenFileOptions[2].InitialFolder, folder.path().string());
}

TEST_F(MainWindowTest, ADamagedPictureLeavesThePanelWithoutOne) {
    EXPECT_FALSE(w().FrontImage()->pixmap().isNull());
    EXPECT_FALSE(w().LoadFrontPicture(QByteArray("\xFF\xD8\xFF\xE0 damaged", 10)));
    EXPECT_TRUE(w().FrontImage()->pixmap().isNull());
    EXPECT_FALSE(w().LoadFrontPicture(QByteArray()));
    pressContinue();
    EXPECT_TRUE(w().Fastafile1()->isEnabled());
}

TEST_F(MainWindowTest, TheTermsOfUseLinkOpensItsPage) {
    w().LicenseWeblinkLabelClick();
    ASSERT_EQ(platform.Events.size(), 1u);
    EXPECT_EQ(platform.Events[0].kind, ScriptedPlatform::Kind::Address);
    EXPECT_EQ(platform.Events[0].text, kTermsOfUseAddress);
}

TEST_F(MainWindowTest, TheProgressBoxFitsItsTextsAndStaysEnabledWhileTheWindowIsDisabled) {
    pressContinue();
    w().show();
    QApplication::processEvents();
    QGroupBox* box = w().AlignmentMessageBox();
    QLabel* label = w().AlignmentMessageLabel();
    const QFont systemFont = QApplication::font();
    QFont large = systemFont;
    large.setPointSizeF(systemFont.pointSizeF() * 2);
    for (const QFont& font : {systemFont, large}) {
        QApplication::setFont(font);
        for (int i = 0; i < 3; ++i) QApplication::processEvents();  // the menu bar takes its new height
        w().SetEnabledKeepingProgressBox(false);
        w().ShowProgressBox();
        for (const char* text : {kOrientationRunning, kAlignmentRunning}) {
            SCOPED_TRACE(std::string(text) + " at " + std::to_string(font.pointSizeF()) + " pt");
            w().SetProgressText(text);
            QApplication::processEvents();
            EXPECT_EQ(label->text(), text);
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(text));
            EXPECT_TRUE(box->rect().contains(label->geometry()));
            EXPECT_TRUE(box->rect().contains(w().AlignmentProgressGauge()->geometry()));
            EXPECT_TRUE(box->isVisible());
            EXPECT_FALSE(w().isEnabled());
            EXPECT_TRUE(box->isEnabled());
            EXPECT_TRUE(label->isEnabled());
            EXPECT_EQ(box->mapToGlobal(QPoint(0, 0)), w().mdiArea()->mapToGlobal(MainWindow::kProgressBoxPlace));
        }
        w().SetEnabledKeepingProgressBox(true);
        EXPECT_TRUE(w().isEnabled());
        EXPECT_TRUE(box->isEnabled());
        box->hide();
    }
    QApplication::setFont(systemFont);
}

}  // namespace
}  // namespace sequara
