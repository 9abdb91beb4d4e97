// Details that a change elsewhere loses without any other test noticing: the
// parameters dialog's top for the initial nucleotides, the count of skipped
// sites past the listed ones and the reference dialog's filter between two "New".
#include "app/DialogParameters.h"
#include "commands/ForensicImport.h"
#include "app/MainWindow.h"
#include "platform/ScriptedPlatform.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QSpinBox>

namespace sequara {
namespace {

using testing::AnswerNextModal;
using testing::TempFolder;

TEST(EasilyLostDetails, SpinBoxTopSkippedSitesCountAndReferenceFilter) {
    TempFolder folder;
    ScriptedPlatform platform;
    MainWindow window(platform, folder.file("sequara"));
    WorkingState& state = window.State();

    // The initial nucleotides go up to 30 and no further.
    AnswerNextModal([](QDialog* d) {
        auto* dialog = qobject_cast<TDlgParameters*>(d);
        if (!dialog) return d->reject();
        dialog->SpinShrinkUntil()->setValue(29);
        dialog->SpinShrinkUntil()->stepUp();
        dialog->SpinShrinkUntil()->stepUp();
        dialog->OKBtn()->click();
    });
    window.AdjustParam()->trigger();
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
    window.New1()->trigger();
    platform.CancelOpenFile();
    window.New1()->trigger();
    ASSERT_EQ(platform.OpenFileOptions.size(), 3u);
    EXPECT_EQ(platform.OpenFileOptions[2].FilterIndex, 2);
    EXPECT_EQ(platform.OpenFileOptions[2].InitialFolder, folder.path().string());
}

}  // namespace
}  // namespace sequara
