#include "editor/ui/DialogDisplayParameters.h"

#include "platform/qt/ButtonGlyphs.h"
#include "platform/qt/QtColor.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace sequara {

namespace {
struct RowLayout {
    const char* caption;
    const char* swatch;
    const char* button;
};
constexpr RowLayout kRows[] = {
    {"Background color for table headers / sequence names", "ImageHeader", "BtnHeader"},
    {"Background color for reference sequence", "ImageReference", "BtnRef"},
    {"Background color for mismatches", "ImageMismatches", "BtnMismatch"},
    {"Background color for matches", "ImageMatches", "BtnMatch"},
    {"Color of selected cells", "ImageSelection", "BtnSelection"},
    {"Background color for highlighting of sequences", "ImageHighlight", "BtnHighlight"},
};
constexpr int kFirstRowTop = 24;
constexpr int kRowPitch = 48;
constexpr int kSwatchSize = 33;
}  // namespace

TDlgDisplayParameters::TDlgDisplayParameters(Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform), okBtn_(new QPushButton(OkGlyph(), "OK", this)) {
    setObjectName("DlgDisplayParameters");
    setWindowTitle("Display parameters");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(540, 402);

    okBtn_->setObjectName("OKBtn");
    okBtn_->setGeometry(226, 320, 87, 28);
    okBtn_->setDefault(true);
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
    QWidget* previous = okBtn_;
    for (int row = 0; row < RowCount; ++row) {
        const int y = kFirstRowTop + row * kRowPitch;
        auto* label = new QLabel(kRows[row].caption, this);
        label->setGeometry(32, y, 352, kSwatchSize);
        auto* swatch = new QLabel(this);
        swatch->setObjectName(kRows[row].swatch);
        swatch->setGeometry(484, y, kSwatchSize, kSwatchSize);
        auto* button = new QPushButton(RetryGlyph(), "&Change", this);
        button->setObjectName(kRows[row].button);
        button->setGeometry(392, y, 84, kSwatchSize);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, &TDlgDisplayParameters::ChangeColClick);
        setTabOrder(previous, button);
        previous = button;
        labels_[std::size_t(row)] = label;
        swatches_[std::size_t(row)] = swatch;
        buttons_[std::size_t(row)] = button;
        setColor(Row(row), 0);
    }
}

void TDlgDisplayParameters::setColor(Row row, TColor value) {
    colors_[std::size_t(row)] = value;
    // The swatch: the colour inside a one-pixel black outline, on the
    // dialog's background.
    QPixmap pixmap(kSwatchSize, kSwatchSize);
    pixmap.fill(palette().color(QPalette::Window));
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(ToQColor(value));
    painter.drawRect(1, 1, kSwatchSize - 2, kSwatchSize - 2);
    painter.end();
    swatches_[std::size_t(row)]->setPixmap(pixmap);
}

void TDlgDisplayParameters::ChangeColClick() {
    for (int row = 0; row < RowCount; ++row) {
        if (sender() != buttons_[std::size_t(row)]) continue;
        if (std::optional<std::uint32_t> chosen = platform_.ChooseColor(colors_[std::size_t(row)]))
            setColor(Row(row), *chosen);
        return;
    }
}

}  // namespace sequara
