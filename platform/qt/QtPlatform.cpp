#include "platform/qt/QtPlatform.h"

#include "platform/FileFilters.h"
#include "platform/qt/QtColor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QUrl>

namespace sequara {

namespace {
QString fromLocal(const std::string& s) { return QString::fromLocal8Bit(s.data(), qsizetype(s.size())); }
std::string toLocal(const QString& s) { return s.toLocal8Bit().toStdString(); }

// Message text as shown: a carriage return, alone or before a line feed,
// breaks the line like a line feed.
QString messageText(const std::string& s) {
    QString text = fromLocal(s);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    return text;
}
// A Yes/No message box that tells Escape and its close box apart from the
// No button (a plain box takes No for both), or, when it may not be
// dismissed, ignores them both.
class YesNoBox : public QMessageBox {
public:
    YesNoBox(Icon icon, const QString& caption, const QString& text, QWidget* parent, bool dismissible = true)
        : QMessageBox(icon, caption, text, QMessageBox::Yes | QMessageBox::No, parent), dismissible_(dismissible) {}
    bool Dismissed() const { return dismissed_; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            if (dismissible_) {
                dismissed_ = true;
                reject();
            }
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    // Reached only through the window system (close box, Alt+F4): a button
    // ends the box without a close event.
    void closeEvent(QCloseEvent* event) override {
        if (!dismissible_) {
            event->ignore();
            return;
        }
        dismissed_ = true;
        QMessageBox::closeEvent(event);
    }

private:
    bool dismissible_;
    bool dismissed_ = false;
};
}  // namespace

void QtPlatform::ShowMessage(const std::string& text) {
    ShowMessageBox(text, toLocal(QApplication::applicationName()));
}

void QtPlatform::ShowMessageBox(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::NoIcon, fromLocal(caption), messageText(text), QMessageBox::Ok, parent_);
    box.exec();
}

namespace {
QMessageBox::Icon iconOf(MessageType type) {
    return type == MessageType::Information ? QMessageBox::Information : QMessageBox::Warning;
}

// The answer by the button actually clicked.  Escape and the close box,
// where the box allows them, are checked first: the close box makes a plain
// box report its No as clicked.  A box whose event loop is ended from
// outside (the application told to quit) returns from exec() with no button
// clicked: no answer either.
YesNoAnswer answerOf(YesNoBox& box) {
    box.exec();
    if (box.Dismissed()) return YesNoAnswer::Dismissed;
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked && clicked == box.button(QMessageBox::Yes)) return YesNoAnswer::Yes;
    if (clicked && clicked == box.button(QMessageBox::No)) return YesNoAnswer::No;
    return YesNoAnswer::Dismissed;
}
}  // namespace

YesNoAnswer QtPlatform::AskYesNo(const std::string& text, const std::string& caption, MessageType type) {
    YesNoBox box(iconOf(type), fromLocal(caption), messageText(text), parent_);
    return answerOf(box);
}

YesNoAnswer QtPlatform::AskYesNoUntilAnswered(const std::string& text, const std::string& caption,
                                              MessageType type) {
    YesNoBox box(iconOf(type), fromLocal(caption), messageText(text), parent_, /*dismissible=*/false);
    return answerOf(box);
}

bool QtPlatform::AskOkCancel(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::Question, fromLocal(caption), messageText(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    return box.exec() == QMessageBox::Ok;
}

void SetUpFileDialog(QFileDialog& dialog, const FileDialogOptions& options, bool save) {
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Overwrite questions belong to the program's own logic.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // The dialog matches by the patterns appended to each description and
    // shows the description alone.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    QStringList filters;
    for (const auto& f : options.Filters) filters << fromLocal(NameFilterText(f));
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        int index = options.FilterIndex - 1;
        if (index >= 0 && index < filters.size()) dialog.selectNameFilter(filters[index]);
    }
    if (!options.InitialFolder.empty()) dialog.setDirectory(fromLocal(options.InitialFolder));
    if (!options.FileName.empty()) dialog.selectFile(fromLocal(options.FileName));
    if (!options.DefaultExtension.empty()) dialog.setDefaultSuffix(fromLocal(options.DefaultExtension));
}

FileDialogResult ChosenFile(const QFileDialog& dialog, const FileDialogOptions& options) {
    FileDialogResult result;
    const QStringList files = dialog.selectedFiles();
    if (!files.isEmpty()) result.FileName = toLocal(QDir::toNativeSeparators(files.first()));
    // With the patterns hidden, the dialog may name the chosen filter by its
    // whole text or by the description it shows.
    const QString chosen = dialog.selectedNameFilter();
    int index = int(dialog.nameFilters().indexOf(chosen));
    for (int i = 0; index < 0 && i < int(options.Filters.size()); ++i)
        if (fromLocal(options.Filters[i].Description).simplified() == chosen.simplified()) index = i;
    result.FilterIndex = index < 0 ? 1 : index + 1;
    return result;
}

std::optional<FileDialogResult> QtPlatform::runFileDialog(const FileDialogOptions& options, bool save) {
    QFileDialog dialog(parent_, fromLocal(options.Title));
    SetUpFileDialog(dialog, options, save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ChosenFile(dialog, options);
}

std::optional<FileDialogResult> QtPlatform::ChooseOpenFile(const FileDialogOptions& options) {
    return runFileDialog(options, false);
}

std::optional<FileDialogResult> QtPlatform::ChooseSaveFile(const FileDialogOptions& options) {
    return runFileDialog(options, true);
}

std::optional<std::uint32_t> QtPlatform::ChooseColor(std::uint32_t initial) {
    QColor chosen = QColorDialog::getColor(ToQColor(initial), parent_);
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
}

bool QtPlatform::OpenAddress(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(fromLocal(address)));
}

void QtPlatform::ProcessMessages() { QCoreApplication::processEvents(); }

}  // namespace sequara
