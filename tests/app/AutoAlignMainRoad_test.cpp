// The main road end to end, headless: start, Continue, DNA, Load > "&Fasta
// file (auto align)" on a small FASTA file, the finishing message, then the
// editor with its caption, grid cells and header digits; and the
// auto-reverse variant on a file with a reverse-complemented sequence.
#include "commands/AutomaticAlignmentCommand.h"
#include "app/MainWindow.h"
#include "commands/RunSetup.h"
#include "editor/ui/FrmAlignmentCorrection.h"
#include "platform/ScriptedPlatform.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::ContinueOnDna;
using testing::CopyShippedDefaults;
using testing::TempFolder;
using testing::TestDataFile;

// Hands every message to a watcher before noting it, to see the window as
// the message finds it.
class WatchedPlatform : public ScriptedPlatform {
public:
    std::function<void()> BeforeMessage;
    void ShowMessage(const std::string& text) override {
        if (BeforeMessage) BeforeMessage();
        ScriptedPlatform::ShowMessage(text);
    }
};

class MainRoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        CopyShippedDefaults(folder);
        window = std::make_unique<MainWindow>(platform, folder.file("sequara"));
        window->resize(1200, 800);
        window->show();
        ContinueOnDna(*window);
        ASSERT_EQ(window->State().DataType, "DNA");
        platform.Events.clear();
    }
    FrmAlignmentCorrection* editor() { return FindAlignmentEditor(window->mdiArea()); }
    // The column whose header reads label, from 0.
    int columnOf(const std::string& label) {
        const auto& numbering = window->State().AlignedNumbering;
        for (std::size_t c = 0; c < numbering.size(); ++c)
            if (numbering[c].view() == label) return static_cast<int>(c);
        return -1;
    }

    TempFolder folder;
    WatchedPlatform platform;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainRoadTest, FastaFileAutoAlignOpensTheEditorOnTheAlignment) {
    const std::string file = TestDataFile("autoalign_hvs1.fasta");
    platform.AnswerOpenFile(file);
    // The finishing message comes while the window is still disabled under
    // the progress box, which stays enabled.
    std::vector<bool> whileFinishing;
    platform.BeforeMessage = [&] {
        whileFinishing = {window->isEnabled(), window->AlignmentMessageBox()->isVisible(),
                          window->AlignmentMessageBox()->isEnabled(), window->AlignmentMessageLabel()->isEnabled()};
    };
    window->Fastafile1()->trigger();
    EXPECT_EQ(whileFinishing, (std::vector<bool>{false, true, true, true}));

    EXPECT_EQ(platform.Messages(), std::vector<std::string>{kAutoAlignFinished});
    ASSERT_EQ(platform.OpenFileOptions.size(), 1u);
    ASSERT_EQ(platform.OpenFileOptions[0].Filters.size(), 2u);
    EXPECT_EQ(platform.OpenFileOptions[0].Filters[0].Description, "Fasta format (*.txt, *.fa; *.fas; *.fasta)");
    EXPECT_EQ(platform.OpenFileOptions[0].Filters[0].Patterns, "*.txt; *.fa;*.fas;*.fasta");
    FrmAlignmentCorrection* e = editor();
    ASSERT_NE(e, nullptr);
    auto* sub = qobject_cast<QMdiSubWindow*>(e->parentWidget());
    EXPECT_EQ(sub->windowTitle().toStdString(), file);
    EXPECT_TRUE(sub->isMaximized());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(window->AlignmentMessageBox()->isVisible());
    EXPECT_FALSE(window->Loadfromfastafile1()->isEnabled());
    EXPECT_FALSE(e->Undo1()->isEnabled());
    // The editor opened while the main window was disabled: the focus
    // reaches the sequence grid once the window is enabled again.
    EXPECT_EQ(window->focusWidget(), e->AlignedSequencesGrid());

    const AlignmentEditorModel& m = e->Model();
    EXPECT_EQ(e->lblReferenceName()->text().toStdString(), window->State().ReferenceData[0].Name);
    ASSERT_EQ(m.SequenceCount(), 3);
    EXPECT_EQ(m.NameCell(0), "HVS1 16129A 16223T");
    EXPECT_EQ(m.NameCell(2), "Nairobi-112");
    // The first column is reference position 16024: its digits stand one a
    // row in the header, the reference base below.
    EXPECT_EQ(std::string({m.HeaderCell(0, 0), m.HeaderCell(0, 1), m.HeaderCell(0, 2), m.HeaderCell(0, 3),
                           m.HeaderCell(0, 4)}),
              "16024");
    EXPECT_EQ(m.ReferenceCell(0), 'T');
    const int c16129 = columnOf("16129");
    const int c16223 = columnOf("16223");
    const int c16189 = columnOf("16189");
    ASSERT_GE(c16129, 0);
    EXPECT_EQ(m.ReferenceCell(c16129), 'G');
    EXPECT_EQ(m.SequenceCell(c16129 + 1, 0), 'A');
    EXPECT_EQ(m.SequenceCell(c16223 + 1, 0), 'T');
    EXPECT_EQ(m.SequenceCell(c16129 + 1, 1), 'G');
    EXPECT_EQ(m.SequenceCell(c16189 + 1, 1), 'C');
    // The HVS-I samples end at 16365: gaps for the rest of the control region.
    EXPECT_EQ(m.SequenceCell(columnOf("576") + 1, 0), '-');
    // Every sample's characters, read without gaps, are its sequence.
    for (int i = 0; i < 3; ++i) {
        std::string shown;
        for (char ch : window->State().AlignedSequences[std::size_t(i)].Sequence)
            if (ch != '-') shown += ch;
        EXPECT_EQ(shown, window->State().LoadedSequences[std::size_t(i)].Sequence) << i;
    }

    // Closing the editor enables the Load menu again.
    e->Exit1()->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(window->Loadfromfastafile1()->isEnabled());
    EXPECT_EQ(editor(), nullptr);
}

TEST_F(MainRoadTest, AutoReverseTurnsTheReversedSequenceAround) {
    platform.AnswerOkCancel(true);
    platform.AnswerOpenFile(TestDataFile("autoalign_reversed.fasta"));
    window->FastaAutoReverse()->trigger();
    ASSERT_EQ(platform.Questions().size(), 1u);
    EXPECT_EQ(platform.Questions()[0], kAutoReverseQuestion);
    FrmAlignmentCorrection* e = editor();
    ASSERT_NE(e, nullptr);
    const AlignmentEditorModel& m = e->Model();
    ASSERT_EQ(m.SequenceCount(), 2);
    EXPECT_EQ(m.NameCell(1), "reversed 16189C");
    EXPECT_EQ(m.SequenceCell(columnOf("16189") + 1, 1), 'C');
    EXPECT_EQ(m.SequenceCell(columnOf("16024") + 1, 1), 'T');
    const std::string& row = window->State().AlignedSequences[1].Sequence;
    const std::string& reference = window->State().AlignedReference[0].Sequence;
    EXPECT_EQ(row.substr(0, 342), reference.substr(0, 165) + "C" + reference.substr(166, 176));
    EXPECT_FALSE(window->State().AutoReverse);
}

TEST_F(MainRoadTest, AutoReverseDoesNothingWhileTheAutomaticAlignmentIsDisabled) {
    window->Fastafile1()->setEnabled(false);  // as after a failed reference check
    window->FastaAutoReverse()->trigger();
    EXPECT_TRUE(platform.Events.empty());
    EXPECT_TRUE(window->State().AutoReverse);
    // Once enabled again, the plain command asks the auto-reverse question.
    window->Fastafile1()->setEnabled(true);
    platform.AnswerOkCancel(false);
    window->Fastafile1()->trigger();
    EXPECT_EQ(platform.Questions().size(), 1u);
    EXPECT_FALSE(window->State().AutoReverse);
    EXPECT_EQ(editor(), nullptr);
}

}  // namespace
}  // namespace sequara
