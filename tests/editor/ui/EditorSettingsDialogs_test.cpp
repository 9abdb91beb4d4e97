// The editor's find dialog and colour dialog as the user meets them: opened
// from the menu or Ctrl+F, controls set, and what the editor then shows.
#include "editor/ui/DialogDisplayParameters.h"
#include "editor/ui/DialogFind.h"
#include "editor/ui/FrmAlignmentCorrection.h"
#include "platform/ScriptedPlatform.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::AnswerNextModal;
using testing::ReadBytes;
using testing::TempFolder;

class EditorDialogsTest : public ::testing::Test {
protected:
    EditorDialogsTest() {
        state.DataType = "DNA";
        state.MatchColor = 0x00FFFFFF;
        state.MismatchColor = 0x000000FF;
        state.SettingsFileName = folder.file("UserSettings.txt");
        state.ReferenceData = {{"rCRS", "ACGTACGTAC"}};
        frame.resize(1000, 700);
        frame.setCentralWidget(area);
        frame.show();
        editor = CreateAlignmentEditor(area, run);
        editor->SetReferenceName(state.ReferenceData);
        editor->GenerateGrids({{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
                              {{"s0", "ACGTTTTTTT"}, {"s1", "TTTTACGTGG"}}, state.ReferenceData, {});
        ShowAlignmentEditorMaximized(editor);
        QApplication::processEvents();
    }
    GridCursor& cursor() { return editor->Model().SequenceGrid(); }
    std::string cell() { return std::to_string(cursor().Col()) + "," + std::to_string(cursor().Row()); }

    TempFolder folder;
    ScriptedPlatform platform;
    RunContext run{platform};
    WorkingState& state = run.State();
    QMainWindow frame;
    QMdiArea* area = new QMdiArea;
    FrmAlignmentCorrection* editor = nullptr;
};

TEST_F(EditorDialogsTest, CtrlFInTheGridSearchesFromTheCursorUntilAnEmptyMotifEndsTheDialog) {
    cursor().MoveTo(2, 0);
    std::vector<std::string> seen;
    AnswerNextModal([&](QDialog* d) {
        auto* find = qobject_cast<TKelvoraDlgFind*>(d);
        if (!find) return d->reject();
        EXPECT_EQ(QApplication::focusWidget(), find->EdtFind());
        EXPECT_EQ(find->GetCurrentPosition(), (SearchPosition{2, 1}));
        find->EdtFind()->setText("acg");
        find->BtnFind()->click();      // from (2,1): the second row's ACG
        seen.push_back(cell());
        find->BtnFind()->click();      // Find again: the same one
        seen.push_back(cell());
        find->BtnFindNext()->click();  // nothing further: No to the restart question
        seen.push_back(cell());
        EXPECT_TRUE(find->isVisible());
        find->EdtFind()->clear();
        find->BtnFindNext()->click();  // one column right, the message, then the dialog ends
        EXPECT_FALSE(find->isVisible());
        EXPECT_EQ(find->GetCurrentPosition(), (SearchPosition{7, 2}));
    });
    editor->AlignedSequencesGrid()->setFocus();
    QTest::keyClick(editor->AlignedSequencesGrid(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(seen, (std::vector<std::string>{"5,1", "5,1", "5,1"}));
    EXPECT_EQ(platform.Questions().size(), 1u);
    EXPECT_EQ(platform.Messages(), std::vector<std::string>{"Please enter a search motif first"});
    EXPECT_EQ(editor->FindDialog()->GetMotif(), "");

    // The next opening starts at the cursor again and offers the edit box's text.
    cursor().MoveTo(1, 0);
    AnswerNextModal([&](QDialog* d) {
        auto* find = qobject_cast<TKelvoraDlgFind*>(d);
        if (!find) return d->reject();
        EXPECT_EQ(find->GetCurrentPosition(), (SearchPosition{1, 1}));
        find->EdtFind()->setText("TGG");
        find->BtnFind()->click();  // ends in the last column
        find->BtnCancel()->click();
    });
    editor->Findmotif1()->trigger();
    EXPECT_EQ(cell(), "8,1");
    EXPECT_EQ(editor->FindDialog()->GetMotif(), "TGG");
}

TEST_F(EditorDialogsTest, OkInTheColourDialogRepaintsTheEditorTheCloseBoxKeepsTheColours) {
    auto pick = [&](bool ok) {
        AnswerNextModal([ok](QDialog* d) {
            auto* colours = qobject_cast<TDlgDisplayParameters*>(d);
            if (!colours) return d->reject();
            EXPECT_EQ(colours->GetMismatchCol(), 0x000000FFu);
            colours->ChangeButton(TDlgDisplayParameters::Mismatch)->click();
            ok ? colours->OKBtn()->click() : (void)colours->close();
        });
        editor->Change1()->trigger();
    };
    auto* sub = qobject_cast<QMdiSubWindow*>(editor->parentWidget());
    sub->showNormal();
    platform.ColorAnswers.push_back(0x00FF0000u);  // blue
    pick(false);
    EXPECT_EQ(state.MismatchColor, 0x000000FFu);

    platform.ColorAnswers.push_back(0x00FF0000u);
    pick(true);
    EXPECT_EQ(state.MismatchColor, 0x00FF0000u);
    EXPECT_EQ(state.MatchColor, 0x00FFFFFFu);
    EXPECT_TRUE(sub->isMaximized());
    QApplication::processEvents();
    // Row 1 differs from the reference in column 1 (T under A).
    StringGridView* grid = editor->AlignedSequencesGrid();
    const QRect r = grid->CellRect(1, 1);
    EXPECT_EQ(grid->viewport()->grab().toImage().pixelColor(r.right() - 1, r.bottom()), QColor(0, 0, 0xFF));

    // A system colour from the settings file is drawn as the palette's colour.
    state.MatchColor = 0xFF000005;  // the window background
    editor->RefreshGrids();
    const QRect m = grid->CellRect(3, 0);  // G under G, not selected
    EXPECT_EQ(grid->viewport()->grab().toImage().pixelColor(m.right() - 1, m.bottom()),
              QApplication::palette().color(QPalette::Base));
}

TEST_F(EditorDialogsTest, SaveSettingsWritesTheColoursOrReportsTheMissingFile) {
    editor->Save2()->trigger();
    EXPECT_EQ(platform.Messages(), std::vector<std::string>{"Ini-File: " + state.SettingsFileName + " does not exist."});

    folder.write("UserSettings.txt", "[DISPLAY_PARAMS]\r\nHEADER_COLOR=AQUA\r\n[CALC_PARAMS]\r\n");
    state.HeaderColor = 0x00FFFF00;
    state.SelectionColor = 0xFF00000D;
    editor->Save2()->trigger();
    EXPECT_EQ(ReadBytes(state.SettingsFileName),
              "[DISPLAY_PARAMS]\r\nHEADER_COLOR=16776960\r\nREFERENCE_COLOR=0\r\nMATCH_COLOR=16777215\r\n"
              "MISMATCH_COLOR=255\r\nSELECTION_COLOR=-16777203\r\nHIGHLIGHT_COLOR=0\r\n[CALC_PARAMS]\r\n");
    EXPECT_EQ(platform.Messages().size(), 1u);
}

}  // namespace
}  // namespace sequara
