#pragma once
// Platform on Qt Widgets: QMessageBox, QFileDialog, QColorDialog and
// QDesktopServices.  Dialogs are parented to the given window (the main
// window once it exists) so they stay in front of it.

#include "platform/Platform.h"

class QFileDialog;
class QWidget;

namespace sequara {

// Prepares a file dialog from the options: open or save, the filters (each
// shown by its description alone), the filter, folder, file name and
// extension to start with.  The program asks its own overwrite questions.
void SetUpFileDialog(QFileDialog& dialog, const FileDialogOptions& options, bool save);
// The file and the 1-based filter the user chose in a dialog set up so.
FileDialogResult ChosenFile(const QFileDialog& dialog, const FileDialogOptions& options);

class QtPlatform : public Platform {
public:
    explicit QtPlatform(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const std::string& text) override;
    void ShowMessageBox(const std::string& text, const std::string& caption) override;
    YesNoAnswer AskYesNo(const std::string& text, const std::string& caption, MessageType type) override;
    YesNoAnswer AskYesNoUntilAnswered(const std::string& text, const std::string& caption, MessageType type) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    std::optional<FileDialogResult> ChooseOpenFile(const FileDialogOptions& options) override;
    std::optional<FileDialogResult> ChooseSaveFile(const FileDialogOptions& options) override;
    std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) override;
    bool OpenAddress(const std::string& address) override;
    void ProcessMessages() override;

private:
    std::optional<FileDialogResult> runFileDialog(const FileDialogOptions& options, bool save);
    QWidget* parent_;
};

}  // namespace sequara
