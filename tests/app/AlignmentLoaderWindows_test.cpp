// Load > "Temporary &Alignment", the autosave and the forensic import,
// headless through the main window: the editor they open, with a paste undone
// byte for byte, also without a usable reference.
#include "app/MainWindow.h"
#include "commands/ForensicImport.h"
#include "commands/RunSetup.h"
#include "editor/commands/UndoCommands.h"
#include "editor/ui/FrmAlignmentCorrection.h"
#include "platform/ScriptedPlatform.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/EditorDump.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <filesystem>
#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::ContinueOnDna;
using testing::CopyShippedDefaults;
using testing::DumpGrids;
using testing::TempFolder;

// Headless through the main window, optionally without a usable reference.
class LoaderWindowTest : public ::testing::Test {
protected:
    void start(bool withReference) {
        CopyShippedDefaults(folder);
        if (!withReference) std::filesystem::remove(folder.file(kReferenceFileName));
        window = std::make_unique<MainWindow>(platform, folder.file("sequara"));
        window->resize(1200, 800);
        window->show();
        ContinueOnDna(*window);
        platform.Events.clear();
    }
    FrmAlignmentCorrection* editor() { return FindAlignmentEditor(window->mdiArea()); }

    TempFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> window;
};

TEST_F(LoaderWindowTest, TemporaryAlignmentOpensTheEditorAndAPasteIsUndoneByteForByte) {
    start(true);
    const std::string file = folder.write("edited.ali",
                                          "rCRS;TTC-TTTCA\r\n16024;16025;16026;;16027abc;16028;16029;16030;16031\r\n"
                                          "HVS1 sample 1;TTCATTTCA\r\nHVS1 sample 2;TTC-TCTCA\r\nHVS1 sample 3;TTC-TTTCG\r\n");
    platform.AnswerOpenFile(file);
    window->Alignment1()->trigger();
    FrmAlignmentCorrection* e = editor();
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(platform.Events.size() == 1u && platform.Events[0].kind == ScriptedPlatform::Kind::OpenFile);
    EXPECT_EQ(qobject_cast<QMdiSubWindow*>(e->parentWidget())->windowTitle().toStdString(), file);
    EXPECT_FALSE(e->Undo1()->isEnabled());
    EXPECT_FALSE(window->Loadfromfastafile1()->isEnabled());
    const std::string opened = DumpGrids(e->Model());
    EXPECT_EQ(opened,
              "111 11111\n666 66666\n000 00000\n222 22233\n456 78901\nTTC-TTTCA\n"
              "HVS1 sample 1|TTCATTTCA\nHVS1 sample 2|TTC-TCTCA\nHVS1 sample 3|TTC-TTTCG\n");
    EXPECT_EQ(window->State().AlignedNumbering[3].str(), "     ");  // labels padded to five characters
    EXPECT_EQ(window->State().AlignedReference[0].Name, window->State().ReferenceData[0].Name);
    EXPECT_EQ(e->lblReferenceName()->text(), "rCRS");

    // Copy two rows of three columns, paste them one row lower at the start.
    const std::string before = testing::DumpEditor(e->Model().Document(), e->Model().View());
    e->Model().SequenceGrid().MoveTo(4, 0);
    e->Model().SequenceGrid().MoveTo(6, 1, true);
    EXPECT_TRUE(e->runCommand(CopyCommand));
    e->Model().SequenceGrid().MoveTo(1, 1);
    EXPECT_TRUE(e->runCommand(PasteCommand));
    EXPECT_TRUE(e->Undo1()->isEnabled());
    EXPECT_EQ(window->State().AlignedSequences[1].Sequence.str(), "ATT-TCTCA");
    EXPECT_EQ(window->State().AlignedSequences[2].Sequence.str(), "-TC-TTTCG");
    e->Undo1()->trigger();
    EXPECT_EQ(DumpGrids(e->Model()), opened);
    EXPECT_FALSE(e->Undo1()->isEnabled());
    e->Model().SequenceGrid().MoveTo(1, 0);
    EXPECT_EQ(testing::DumpEditor(e->Model().Document(), e->Model().View()), before);
}

TEST_F(LoaderWindowTest, TheAutosaveOfAnOpenedAlignmentOpensAsTheSameGrids) {
    start(true);
    platform.AnswerOpenFile(folder.write("in.ali", "x;-AC-G\n16024;1;;2;3\nfirst;TAC-G\n;\nthird;-ACCG\n"));
    window->Alignment1()->trigger();
    ASSERT_NE(editor(), nullptr);
    const std::string opened = DumpGrids(editor()->Model());
    const std::string aligned = testing::DumpEditor(editor()->Model().Document(), editor()->Model().View());
    editor()->Timer1Timer();  // the autosave writes backup.ali beside the program
    ASSERT_TRUE(std::filesystem::exists(folder.file(kDnaBackupName)));
    platform.AnswerYesNo(false);  // closing: do not save
    editor()->Exit1()->trigger();
    QApplication::processEvents();
    ASSERT_EQ(editor(), nullptr);

    platform.AnswerOpenFile(folder.file(kDnaBackupName));
    window->Alignment1()->trigger();
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(DumpGrids(editor()->Model()), opened);
    EXPECT_EQ(testing::DumpEditor(editor()->Model().Document(), editor()->Model().View()), aligned);
}

TEST_F(LoaderWindowTest, WithoutAReferenceTheNonAligningLoadsStillOpenTheEditor) {
    start(false);
    EXPECT_FALSE(window->Fastafile1()->isEnabled());
    ASSERT_TRUE(window->Fastafilealreadyaligned1()->isEnabled());
    platform.AnswerOkCancel(true);
    platform.AnswerOpenFile(folder.write("aligned.fasta", ">first\nAC-GT\n>second\nACTGT\n"));
    window->Fastafilealreadyaligned1()->trigger();
    FrmAlignmentCorrection* e = editor();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(DumpGrids(e->Model()), "12 34\n     \n     \n     \n     \nAC-GT\nfirst|AC-GT\nsecond|ACTGT\n");
    EXPECT_EQ(e->lblReferenceName()->text(), "");
    EXPECT_FALSE(e->Undo1()->isEnabled());
    e->Exit1()->trigger();
    QApplication::processEvents();

    platform.AnswerOpenFile(folder.write("t.ali", "ref;AC\n1;2\ns;AG\n"));
    window->Alignment1()->trigger();
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(DumpGrids(editor()->Model()), "12\n  \n  \n  \n  \nAC\ns|AG\n");
}

// A named pipe without a writer would hold any reader for ever: every reader
// refuses it by name, every writer says what it is.  (alarm ends a hung run.)

// The menu command on the shipped control-region reference opens the editor
// and leaves the run's reference without the new gap columns.
TEST(ForensicImport, TheMenuCommandOpensTheEditor) {
    TempFolder folder;
    ScriptedPlatform platform;
    testing::CopyShippedDefaults(folder);
    MainWindow window(platform, folder.file("sequara"));
    window.show();
    testing::ContinueOnDna(window);
    const WorkingState before = window.State();
    ASSERT_FALSE(before.ReferenceNumbering.empty());

    const std::string list = folder.write("list.for", "AAA;header\r\nH1\t\t\t\t1\t16193.1C\t16223.T\t\t\t\t\t\t\t\t\t"
                                                      "\t\t\t\t\t\t\t\t\t\t\t\t315.1C\r\n");
    platform.AnswerOpenFile(list);
    window.Forensicformat1Click();
    FrmAlignmentCorrection* editor = FindAlignmentEditor(window.mdiArea());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(qobject_cast<QMdiSubWindow*>(editor->parentWidget())->windowTitle().toStdString(), list);
    EXPECT_FALSE(window.Loadfromfastafile1()->isEnabled());
    const WorkingState& s = window.State();
    EXPECT_EQ(s.AlignedNumbering.size(), before.ReferenceNumbering.size() + 2);
    ASSERT_EQ(s.AlignedSequences.size(), 1u);
    EXPECT_EQ(s.AlignedSequences[0].Name, "H1");
    EXPECT_EQ(s.ReferenceData, before.ReferenceData);
    EXPECT_EQ(s.ReferenceNumbering, before.ReferenceNumbering);
    EXPECT_EQ(std::count(s.AlignedReference[0].Sequence.begin(), s.AlignedReference[0].Sequence.end(), '-'),
              std::count(before.ReferenceData[0].Sequence.begin(), before.ReferenceData[0].Sequence.end(), '-') + 2);
}

}  // namespace
}  // namespace sequara
