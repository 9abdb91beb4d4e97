// The file dialogs of the Qt platform, set up as the program opens them, how
// its Yes/No questions tell the ways of leaving them apart, and the progress
// gauge's percentage drawn over both halves of the bar.
#include "platform/qt/ProgressGauge.h"
#include "platform/qt/QtPlatform.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QImage>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace sequara {
namespace {

QStringList comboTexts(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    return texts;
}

TEST(QtFileDialog, FiltersShowTheirDescriptionsOnceAndMatchTheirPatterns) {
    FileDialogOptions options;
    options.Filters = {{"Fasta format (*.txt, *.fa; *.fas; *.fasta)", "*.txt; *.fa;*.fas;*.fasta"},
                       {"All Files (*.*)", "*.*"},
                       {"Temporary Alignment", "*.ali"}};
    for (int start : {1, 2, 3, 0, 4}) {  // the last two are out of range: the first filter
        SCOPED_TRACE(start);
        options.FilterIndex = start;
        QFileDialog dialog;
        SetUpFileDialog(dialog, options, /*save=*/false);
        auto* combo = dialog.findChild<QComboBox*>("fileTypeCombo");
        auto* files = dialog.findChild<QFileSystemModel*>();
        ASSERT_TRUE(combo && files);
        EXPECT_EQ(comboTexts(combo), (QStringList{"Fasta format (*.txt, *.fa; *.fas; *.fasta)", "All Files (*.*)",
                                                  "Temporary Alignment"}));
        const int shown = start >= 1 && start <= 3 ? start : 1;
        EXPECT_EQ(combo->currentIndex(), shown - 1);
        EXPECT_EQ(ChosenFile(dialog, options).FilterIndex, shown);
        const QStringList patterns[] = {{"*.txt", "*.fa", "*.fas", "*.fasta"}, {"*.*"}, {"*.ali"}};
        EXPECT_EQ(files->nameFilters(), patterns[shown - 1]);

        combo->setCurrentIndex(2);  // as the user picks another filter
        emit combo->activated(2);
        EXPECT_EQ(ChosenFile(dialog, options).FilterIndex, 3);
        EXPECT_EQ(files->nameFilters(), QStringList{"*.ali"});
    }
}

TEST(QtFileDialog, SaveDialogsLeaveTheOverwriteQuestionToTheProgram) {
    FileDialogOptions options;
    options.Filters = {{"Any", ""}};
    options.DefaultExtension = "ali";
    QFileDialog dialog;
    SetUpFileDialog(dialog, options, /*save=*/true);
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog.defaultSuffix(), "ali");
    EXPECT_EQ(dialog.findChild<QFileSystemModel*>()->nameFilters(), QStringList{"*"});
}

// Asks, and hands the message box to leave once it is up and holds the
// focus, however long a busy machine takes to show it.
template <typename Ask>
auto leaveWhenShown(const std::function<void(QMessageBox*)>& leave, Ask ask) {
    std::function<void()> wait = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || !QApplication::focusWidget() || !box->isAncestorOf(QApplication::focusWidget())) {
            QTimer::singleShot(10, wait);
            return;
        }
        leave(box);
    };
    QTimer::singleShot(10, wait);
    return ask();
}

// Asks inside a main loop of its own and tells the application to quit once
// the box is up, as when the desktop session ends.  The quit request ends
// every event loop; QCoreApplication::exec clears it as it returns, so the
// boxes of later tests run as usual.
template <typename Ask>
std::optional<YesNoAnswer> askTornDown(Ask ask) {
    std::optional<YesNoAnswer> answer;
    QTimer::singleShot(0, [&] { answer = leaveWhenShown([](QMessageBox*) { QCoreApplication::exit(0); }, ask); });
    QCoreApplication::exec();
    return answer;
}

TEST(QtQuestion, EscapeAndTheCloseBoxDismissTheYesNoQuestionAndItsTypeGivesTheIcon) {
    const auto press = [](Qt::Key k) { return [k](QMessageBox*) { QTest::keyClick(QApplication::focusWidget(), k); }; };
    const auto click = [](QMessageBox::StandardButton b) { return [b](QMessageBox* box) { box->button(b)->click(); }; };
    const auto warning = MessageType::Warning, information = MessageType::Information;
    const struct {
        const char* what;
        std::function<void(QMessageBox*)> leave;
        MessageType type;
        YesNoAnswer answer;
    } cases[] = {
        {"Escape", press(Qt::Key_Escape), warning, YesNoAnswer::Dismissed},
        {"close box", [](QMessageBox* box) { box->close(); }, information, YesNoAnswer::Dismissed},
        {"No", click(QMessageBox::No), information, YesNoAnswer::No},
        {"Yes", click(QMessageBox::Yes), warning, YesNoAnswer::Yes},
        {"Enter on the focused Yes", press(Qt::Key_Return), warning, YesNoAnswer::Yes},
    };
    QtPlatform platform;
    for (const auto& c : cases) {
        QMessageBox::Icon shown = QMessageBox::NoIcon;
        const auto leave = [&](QMessageBox* box) {
            shown = box->icon();
            c.leave(box);
        };
        EXPECT_EQ(leaveWhenShown(leave, [&] { return platform.AskYesNo("Save it?", "Warning", c.type); }), c.answer)
            << c.what;
        EXPECT_EQ(shown, c.type == warning ? QMessageBox::Warning : QMessageBox::Information) << c.what;
    }
    EXPECT_EQ(askTornDown([&] { return platform.AskYesNo("Save it?", "Warning", warning); }),
              YesNoAnswer::Dismissed);
}

TEST(QtQuestion, OnlyYesOrNoEndsAQuestionAskedUntilAnswered) {
    QtPlatform platform;
    for (const QMessageBox::StandardButton button : {QMessageBox::Yes, QMessageBox::No}) {
        bool stayed = false;
        const auto leave = [&](QMessageBox* box) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            box->close();  // as the close box does
            stayed = box->isVisible();
            box->button(button)->click();
        };
        const auto ask = [&] { return platform.AskYesNoUntilAnswered("Restore?", "Warning", MessageType::Warning); };
        EXPECT_EQ(leaveWhenShown(leave, ask), button == QMessageBox::Yes ? YesNoAnswer::Yes : YesNoAnswer::No);
        EXPECT_TRUE(stayed) << (button == QMessageBox::Yes ? "Yes" : "No");
    }
    // Torn down while it shows: neither button was chosen.
    EXPECT_EQ(askTornDown([&] { return platform.AskYesNoUntilAnswered("Restore?", "Warning", MessageType::Warning); }),
              YesNoAnswer::Dismissed);
}

TEST(ProgressGauge, ThePercentageContrastsWithTheFilledAndTheEmptyPart) {
    ProgressGauge gauge(QColor("navy"));
    gauge.resize(217, 33);
    gauge.setRange(0, 100);
    for (int value : {0, 50, 100}) {
        gauge.setValue(value);
        const QImage image = gauge.grab().toImage();
        // Lightest pixel over the filled part and darkest over the empty
        // part, inside the frame and the text's band of rows.
        const int filledEnd = 1 + (215 * value + 50) / 100;
        int lightestOnFill = 0, darkestOnEmpty = 255;
        for (int y = 8; y < 25; ++y)
            for (int x = 2; x < 215; ++x) {
                const int lightness = QColor(image.pixel(x, y)).lightness();
                if (x < filledEnd - 1) lightestOnFill = std::max(lightestOnFill, lightness);
                else if (x > filledEnd) darkestOnEmpty = std::min(darkestOnEmpty, lightness);
            }
        EXPECT_TRUE((value == 0 || lightestOnFill > 200) && (value == 100 || darkestOnEmpty < 60))
            << value << "%: lightest on the fill " << lightestOnFill << ", darkest off it " << darkestOnEmpty;
    }
}

}  // namespace
}  // namespace sequara
