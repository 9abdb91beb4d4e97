// Saving on the main road, headless: align a FASTA file, edit, save as
// FASTA (companion ".ali", caption, the DNA backup gone), close without a
// question and load the companion again; a save that fails part-way; the
// autosave that the next start restores.
#include "app/MainWindow.h"
#include "commands/RunSetup.h"
#include "editor/WorkingStateAlignmentInput.h"
#include "editor/commands/RowMove.h"
#include "editor/writers/AtomicReplace.h"
#include "editor/writers/TemporaryAlignmentWriter.h"
#include "editor/ui/FrmAlignmentCorrection.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/TextFile.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/EditorDump.h"
#include "tests/support/FailingFileLayer.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::ContinueOnDna;
using testing::CopyShippedDefaults;
using testing::DumpGrids;
using testing::FailingFileLayer;
using testing::ReadBytes;
using testing::TempFolder;
using testing::TestDataFile;

class SaveRoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        CopyShippedDefaults(folder);
        start();
    }
    // Starts the program in the folder: front panel, Continue, DNA.
    void start() {
        window = std::make_unique<MainWindow>(platform, folder.file("sequara"));
        window->resize(1200, 800);
        window->show();
        ContinueOnDna(*window);
    }
    // Load > "&Fasta file (auto align)", then one edit: the first row
    // dragged below the second.
    FrmAlignmentCorrection* alignAndEdit() {
        platform.AnswerOpenFile(TestDataFile("autoalign_hvs1.fasta"));
        window->Fastafile1()->trigger();
        FrmAlignmentCorrection* e = editor();
        if (e) e->runCommand([](EditorContext& ctx) { AlignedSequencesGridRowMoved(ctx, 0, 1); });
        platform.Events.clear();
        return e;
    }
    FrmAlignmentCorrection* editor() { return FindAlignmentEditor(window->mdiArea()); }
    std::string caption() {
        return qobject_cast<QMdiSubWindow*>(editor()->parentWidget())->windowTitle().toStdString();
    }
    std::vector<std::string> files() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void closeEditor() {
        editor()->Exit1()->trigger();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TempFolder folder;
    ScriptedPlatform platform;
    std::unique_ptr<MainWindow> window;
};

TEST_F(SaveRoadTest, SaveAsFastaCloseWithoutAQuestionAndLoadTheCompanionAgain) {
    folder.write(kDnaBackupName, "an earlier autosave");
    FrmAlignmentCorrection* e = alignAndEdit();
    ASSERT_NE(e, nullptr);
    // Empty and blank header cells read alike, as they look on screen.
    const std::string grids = DumpGrids(e->Model(), ' ');
    platform.AnswerSaveFile(folder.file("hvs1.fas"), 1);
    e->Save1()->trigger();
    EXPECT_EQ(platform.Events.size(), 1u) << "only the save dialog, no question or message";
    EXPECT_EQ(caption(), folder.file("hvs1.txt"));
    EXPECT_EQ(files(), (std::vector<std::string>{"ReferenceSequence.txt", "UserSettings.txt", "hvs1.ali", "hvs1.txt"}));
    // The rows in the editor's order, the dragged row second.
    std::string names;
    for (const std::string& line : SplitTextLines(ReadBytes(folder.file("hvs1.txt"))))
        if (line.starts_with(">")) names += line + "|";
    EXPECT_EQ(names, ">HVS1 16189C|>HVS1 16129A 16223T|>Nairobi-112|");

    closeEditor();
    EXPECT_TRUE(platform.Questions().empty());
    EXPECT_EQ(editor(), nullptr);

    platform.AnswerOpenFile(folder.file("hvs1.ali"));
    window->Alignment1()->trigger();
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(DumpGrids(editor()->Model(), ' '), grids);
}

TEST_F(SaveRoadTest, AWriteFailingPartWayLeavesTheOldFileAndTheEditorOpen) {
    FrmAlignmentCorrection* e = alignAndEdit();
    ASSERT_NE(e, nullptr);
    const std::string title = caption();
    const std::string old = "an older table\r\n";
    folder.write("table.rdf", old);
    folder.write(kDnaBackupName, "the autosave");
    // The companion goes through whole, then the device is full part-way
    // through the table (whose writer shows the progress box).
    FailingFileLayer failing;
    window->run().SetFiles(failing);
    {
        TempFolder scratch;
        const WorkingStateAlignmentInput alignment(window->State());
        const WriterInput input(alignment);
        NoSaveProgress none;
        WriterServices services(none);
        ReplaceFile(DefaultFileLayer(), scratch.file("probe.ali"),
                    [&](ByteSink& out) { WriteTemporaryAlignment(input, out, services); });
        failing.SpaceLeft = ReadBytes(scratch.file("probe.ali")).size() + 100;
    }
    platform.AnswerSaveFile(folder.file("table.rdf"), 4);
    platform.AnswerYesNo(true);
    e->Save1()->trigger();
    EXPECT_EQ(platform.Messages(),
              std::vector<std::string>{"Could not save " + folder.file("table.rdf") + ": No space left on device"});
    EXPECT_EQ(ReadBytes(folder.file("table.rdf")), old);
    EXPECT_EQ(ReadBytes(folder.file(kDnaBackupName)), "the autosave");
    EXPECT_FALSE(e->MsgBoxSaveInProgress()->isVisible());
    EXPECT_EQ(caption(), title);
    const std::vector<std::string> left = files();
    EXPECT_EQ(std::count_if(left.begin(), left.end(), [](const std::string& n) { return n.find(".tmp") != n.npos; }), 0);

    // The alignment is not counted as saved: closing asks; a cancelled save
    // keeps the editor open with its timer running; only No closes.
    platform.Events.clear();
    platform.AnswerYesNo(true);
    platform.SaveFileAnswers.push_back(std::nullopt);
    closeEditor();
    ASSERT_EQ(editor(), e);
    EXPECT_TRUE(e->Timer1()->isActive());
    EXPECT_EQ(platform.Questions(),
              std::vector<std::string>{"Temporary Alignment hasn't been saved yet. Do you want to save it now?"});
    EXPECT_EQ(platform.SaveFileOptions.back().FilterIndex, 4);
    platform.AnswerYesNo(false);
    closeEditor();
    EXPECT_EQ(editor(), nullptr);
    window->run().SetFiles(DefaultFileLayer());
}

TEST_F(SaveRoadTest, TheAutosaveWritesABackupThatTheNextStartRestores) {
    FrmAlignmentCorrection* e = alignAndEdit();
    ASSERT_NE(e, nullptr);
    const std::string grids = DumpGrids(e->Model(), ' ');
    e->Timer1()->setInterval(10);
    e->Timer1()->start();
    const std::string backup = folder.file(kDnaBackupName);
    for (int i = 0; i < 2000 && !std::filesystem::exists(backup); ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    ASSERT_TRUE(std::filesystem::exists(backup));
    platform.AnswerYesNo(false);  // close without saving
    closeEditor();
    window.reset();

    platform.Events.clear();
    platform.AnswerYesNo(true);   // restore the backup
    start();
    EXPECT_EQ(platform.Questions(), std::vector<std::string>{"Have found an old backup file in the directory.Restore?"});
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(caption(), kDnaBackupName);
    EXPECT_EQ(DumpGrids(editor()->Model(), ' '), grids);
}

}  // namespace
}  // namespace sequara
