// The data-type dialog on its own.
#include "app/DataDefinitionDialog.h"
#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

namespace sequara {
namespace {

using testing::AnswerNextModal;

TEST(DataDefinitionDialogTest, TheValueFollowsTheRadioButtons) {
    TDlgDataDefinition dialog;
    EXPECT_EQ(dialog.windowTitle(), "Specify data type");
    EXPECT_EQ(dialog.RadioDNA()->text(), "DNA sequences");
    EXPECT_EQ(dialog.RadioAmino()->text(), "Amino acid sequences");
    EXPECT_TRUE(dialog.RadioDNA()->isChecked());

    dialog.SetDataType("amino");
    EXPECT_TRUE(dialog.RadioAmino()->isChecked());
    EXPECT_EQ(dialog.GetDataType(), "amino");  // kept as given
    for (const char* other : {"DNA", "", "Protein"}) {
        dialog.SetDataType(other);
        EXPECT_TRUE(dialog.RadioDNA()->isChecked()) << other;
        EXPECT_FALSE(dialog.RadioAmino()->isChecked()) << other;
    }
    dialog.show();
    dialog.RadioAmino()->click();
    EXPECT_EQ(dialog.GetDataType(), "AMINO");
    dialog.RadioDNA()->click();
    EXPECT_EQ(dialog.GetDataType(), "DNA");
}

TEST(DataDefinitionDialogTest, OkAcceptsAndTheCloseBoxRejects) {
    {
        TDlgDataDefinition dialog;
        dialog.SetDataType("DNA");
        AnswerNextModal([](QDialog* d) { qobject_cast<TDlgDataDefinition*>(d)->BitBtn1()->click(); });
        EXPECT_EQ(dialog.exec(), QDialog::Accepted);
        EXPECT_EQ(dialog.GetDataType(), "DNA");
    }
    {
        TDlgDataDefinition dialog;
        AnswerNextModal([](QDialog* d) { d->close(); });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    }
}

}  // namespace
}  // namespace sequara
