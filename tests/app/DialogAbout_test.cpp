#include "app/DialogAbout.h"
#include "app/MainWindow.h"
#include "commands/RunSetup.h"
#include "editor/ManualAlignmentControl.h"
#include "platform/ScriptedPlatform.h"
#include "platform/qt/QtPlatform.h"
#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace sequara {
namespace {

using testing::AnswerNextModal;
using testing::TempFolder;

TEST(DialogAboutTest, LayoutVersionAndContact) {
    ScriptedPlatform platform;
    TDlgAbout dialog(platform);
    EXPECT_EQ(dialog.windowTitle(), "About Sequara");
    EXPECT_EQ(dialog.size(), QSize(373, 322));
    EXPECT_EQ(dialog.GrpProgram()->title(), "Program");
    EXPECT_EQ(dialog.GrpTitlePage()->title(), "Title page");
    EXPECT_EQ(dialog.LblSequara()->text(), "Sequara");
    EXPECT_EQ(dialog.BtnContact()->text(), "Contact");
    EXPECT_EQ(dialog.BitBtn1()->text(), "OK");
    EXPECT_EQ(dialog.LblVersion()->text(), "Version x.x.x.x");
    // Every label lies inside its group box.
    for (QLabel* l : {dialog.LblSequara(), dialog.LblVersion(), dialog.Label2(), dialog.Label4(), dialog.Label5()})
        EXPECT_TRUE(l->parentWidget()->rect().contains(l->geometry())) << l->objectName().toStdString();

    // Closing with OK and with the close box: the version is shown each time.
    for (bool withOk : {true, false}) {
        AnswerNextModal([withOk](QDialog* d) {
            auto* about = qobject_cast<TDlgAbout*>(d);
            ASSERT_TRUE(about);
            EXPECT_EQ(about->LblVersion()->text(), "Version 1.3.3.2");
            if (withOk) about->BitBtn1()->click();
            else about->close();
        });
        TDlgAbout shown(platform);
        EXPECT_EQ(shown.exec(), withOk ? QDialog::Accepted : QDialog::Rejected);
    }

    dialog.BtnContact()->click();
    dialog.Button1Click();
    ASSERT_EQ(platform.Events.size(), 2u);
    EXPECT_EQ(platform.Events[0].kind, ScriptedPlatform::Kind::Address);
    EXPECT_EQ(platform.Events[0].text, "mailto:support@sequara.example.org");
    EXPECT_EQ(platform.Events[1].text, kSecondMailAddress);
}

TEST(DialogAboutTest, TheMainWindowsAboutAndHelpEntries) {
    TempFolder folder;
    ScriptedPlatform platform;
    MainWindow window(platform, folder.file("sequara"));
    // The entries are disabled until the run set-up; enable them as it does.
    window.About1()->setEnabled(true);
    window.Help1()->setEnabled(true);

    int aboutShown = 0;
    for (int i = 0; i < 2; ++i) {
        AnswerNextModal([&aboutShown](QDialog* d) {
            auto* about = qobject_cast<TDlgAbout*>(d);
            ASSERT_TRUE(about);
            EXPECT_EQ(about->LblVersion()->text(), "Version 1.3.3.2");
            ++aboutShown;
            about->BitBtn1()->click();
        });
        window.About1()->trigger();
    }
    EXPECT_EQ(aboutShown, 2);

    window.Outputformats1()->trigger();
    window.Pooralignmentresult1()->trigger();
    window.Other1()->trigger();
    ScriptedPlatform direct;
    ShowOutputFormatsHelp(direct);
    ShowPoorAlignmentHelp(direct);
    HelpLinkButtonClick(direct);
    ASSERT_EQ(platform.Events.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(platform.Events[i].kind, direct.Events[i].kind);
        EXPECT_EQ(platform.Events[i].text, direct.Events[i].text);
    }
}

TEST(DialogAboutTest, CarriageReturnsBreakLinesInTheShownText) {
    QtPlatform platform;
    QString shown;
    AnswerNextModal([&shown](QDialog* d) {
        auto* box = qobject_cast<QMessageBox*>(d);
        ASSERT_TRUE(box);
        shown = box->text();
        EXPECT_EQ(box->windowTitle(), QApplication::applicationName());
        box->accept();
    });
    ShowOutputFormatsHelp(platform);
    EXPECT_FALSE(shown.contains('\r'));
    EXPECT_EQ(shown.count("\n\n"), 7);
    EXPECT_EQ(shown.count('\n'), 15);
}

}  // namespace
}  // namespace sequara
