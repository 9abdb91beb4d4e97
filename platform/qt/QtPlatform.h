#pragma once
// Platform on Qt Widgets: QMessageBox, QFileDialog, QColorDialog and
// QDesktopServices.  Dialogs are parented to the given window (the main
// window once it exists) so they stay in front of it.

#include "platform/Platform.h"

class QWidget;

namespace sequara {

class QtPlatform : public Platform {
public:
    explicit QtPlatform(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    std::optional<FileDialogResult> ChooseOpenFile(const FileDialogOptions& options) override;
    std::optional<FileDialogResult> ChooseSaveFile(const FileDialogOptions& options) override;
    std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) override;
    void OpenAddress(const std::string& address) override;
    void ProcessMessages() override;

private:
    std::optional<FileDialogResult> runFileDialog(const FileDialogOptions& options, bool save);
    QWidget* parent_;
};

}  // namespace sequara
