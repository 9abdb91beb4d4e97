#pragma once
// The window-system services that the program's logic calls: message boxes,
// file and colour dialogs, opening an address in the user's programs and
// processing pending window messages.  The logic only ever sees this
// interface; QtPlatform implements it with Qt widgets and ScriptedPlatform
// answers from a queue in tests.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sequara {

// One entry of a file dialog's filter list: the text the user sees and the
// patterns it selects, separated by ";" (for example "*.txt; *.fa;*.fas").
struct FileFilter {
    std::string Description;
    std::string Patterns;
};

struct FileDialogOptions {
    std::string Title;                // empty: the dialog's default title
    std::vector<FileFilter> Filters;
    int FilterIndex = 1;              // 1-based, as the user last chose it
    std::string InitialFolder;        // empty: the current folder
    std::string FileName;             // proposed file name (save dialogs)
    std::string DefaultExtension;     // without the dot; empty: none
};

// The icon a question shows.
enum class MessageType { Warning, Information };

// How a Yes/No question ended.  Dismissed: without an answer, neither button
// chosen: left with Escape or the window's close box where the question
// allows that, or torn down while it shows (the application told to quit,
// as when the desktop session ends).  Each caller decides what that means
// for its data, never the answer that discards it.
enum class YesNoAnswer { Yes, No, Dismissed };

struct FileDialogResult {
    std::string FileName;             // full path as chosen
    int FilterIndex = 1;              // 1-based index of the filter in use
};

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message with one OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // The same with a caption of its own instead of the program's name.
    virtual void ShowMessageBox(const std::string& text, const std::string& caption) = 0;
    // A modal question with the buttons Yes and No and the icon of its type.
    virtual YesNoAnswer AskYesNo(const std::string& text, const std::string& caption, MessageType type) = 0;
    // The same question for a caller that has no safe way to read Escape:
    // Escape and the close box leave it on screen.  Yes or No as chosen;
    // Dismissed only when it is torn down without an answer.
    virtual YesNoAnswer AskYesNoUntilAnswered(const std::string& text, const std::string& caption,
                                              MessageType type) = 0;
    // A modal question with the buttons OK and Cancel; true only for OK
    // (Escape and the close box give Cancel).
    virtual bool AskOkCancel(const std::string& text, const std::string& caption) = 0;

    // File dialogs; nothing when the user cancels.
    virtual std::optional<FileDialogResult> ChooseOpenFile(const FileDialogOptions& options) = 0;
    virtual std::optional<FileDialogResult> ChooseSaveFile(const FileDialogOptions& options) = 0;

    // Colour dialog on a 0x00BBGGRR colour; nothing when cancelled.
    virtual std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) = 0;

    // Opens a web page or a mail address with the user's default program;
    // false when no program could be started for it.
    virtual bool OpenAddress(const std::string& address) = 0;

    // Lets the window system handle pending messages once.
    virtual void ProcessMessages() = 0;
};

}  // namespace sequara
