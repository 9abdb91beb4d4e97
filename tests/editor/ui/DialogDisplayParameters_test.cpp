#include "editor/ui/DialogDisplayParameters.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace sequara {
namespace {

using Row = TDlgDisplayParameters::Row;

// The colour in the middle of a swatch.
QColor swatchColor(const TDlgDisplayParameters& d, Row row) {
    return d.Swatch(row)->pixmap().toImage().pixelColor(16, 16);
}

TEST(DialogDisplayParameters, SwatchesShowTheColoursAndChangeButtonsPickOnlyTheirOwn) {
    ScriptedPlatform platform;
    TDlgDisplayParameters d(platform);
    d.SetHeaderCol(0x00FFFF00);
    d.SetRefSequCol(0x000000FF);
    d.SetMismatchCol(0xFF00000F);  // the button-face system colour
    d.SetMatchCol(0xFE123456);     // no colour the system knows
    d.SetSelectCol(0x80000005);    // the window-background system colour of older settings files
    d.SetHighlightCol(0x00008000);
    EXPECT_EQ(swatchColor(d, Row::Header), QColor(0x00, 0xFF, 0xFF));
    EXPECT_EQ(swatchColor(d, Row::RefSequ), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(swatchColor(d, Row::Mismatch), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(swatchColor(d, Row::Match), QColor(Qt::white));
    EXPECT_EQ(swatchColor(d, Row::Select), QApplication::palette().color(QPalette::Base));
    EXPECT_EQ(d.Swatch(Row::Header)->pixmap().toImage().pixelColor(1, 1), QColor(Qt::black));  // the outline

    d.show();
    platform.ColorAnswers.push_back(0x00804020u);
    d.ChangeButton(Row::Match)->click();
    platform.ColorAnswers.push_back(std::nullopt);  // picker cancelled
    d.ChangeButton(Row::Highlight)->click();
    EXPECT_TRUE(d.isVisible());  // the change buttons never end the dialog
    EXPECT_EQ(d.result(), 0);
    EXPECT_EQ(platform.Events.size(), 2u);

    EXPECT_EQ(d.GetMatchCol(), 0x00804020u);
    EXPECT_EQ(swatchColor(d, Row::Match), QColor(0x20, 0x40, 0x80));
    EXPECT_EQ(d.GetHighlightCol(), 0x00008000u);
    EXPECT_EQ(d.GetHeaderCol(), 0x00FFFF00u);
    EXPECT_EQ(d.GetRefSequCol(), 0x000000FFu);
    EXPECT_EQ(d.GetMismatchCol(), 0xFF00000Fu);
    EXPECT_EQ(d.GetSelectCol(), 0x80000005u);
    d.OKBtn()->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace sequara
