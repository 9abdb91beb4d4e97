#pragma once
// A Platform for tests: questions and dialogs are answered from queues that
// the test fills in advance, and everything shown is recorded in order, so a
// test reads like the user's session ("answer Yes, then expect this message").
// An unexpected question (empty queue) is answered No / Cancel and recorded,
// so a test that did not expect it fails on the recorded events.

#include "platform/Platform.h"

#include <deque>
#include <string>
#include <vector>

namespace sequara {

class ScriptedPlatform : public Platform {
public:
    enum class Kind { Message, YesNo, OkCancel, OpenFile, SaveFile, Color, Address };
    struct Event {
        Kind kind;
        std::string text;     // message / question text, dialog title, address
        std::string caption;  // caption of a question
        bool answer = false;  // the answer given to a question: Yes / OK
        bool dismissed = false;  // a Yes/No question left with Escape or the close box, or torn down
        MessageType type = MessageType::Warning;  // the icon of a Yes/No question
    };

    // Answers, consumed in order.
    std::deque<YesNoAnswer> YesNoAnswers;
    std::deque<bool> OkCancelAnswers;
    std::deque<std::optional<FileDialogResult>> OpenFileAnswers;
    std::deque<std::optional<FileDialogResult>> SaveFileAnswers;
    std::deque<std::optional<std::uint32_t>> ColorAnswers;

    // How many of the next questions asked until answered are torn down
    // without an answer (the application told to quit while they show).
    int TornDownQuestions = 0;

    std::vector<Event> Events;
    std::vector<FileDialogOptions> OpenFileOptions;   // the options each dialog was shown with
    std::vector<FileDialogOptions> SaveFileOptions;
    int ProcessMessagesCalls = 0;
    // When true, no program can be started for an address (recorded with answer false).
    bool OpenAddressFails = false;

    void AnswerYesNo(bool yes) { YesNoAnswers.push_back(yes ? YesNoAnswer::Yes : YesNoAnswer::No); }
    // The next Yes/No question is closed with Escape or its close box.
    void DismissYesNo() { YesNoAnswers.push_back(YesNoAnswer::Dismissed); }
    // The next question asked until answered is torn down: it ends Dismissed.
    void TearDownNextQuestion() { ++TornDownQuestions; }
    void AnswerOkCancel(bool ok) { OkCancelAnswers.push_back(ok); }
    void AnswerOpenFile(const std::string& name, int filterIndex = 1);
    void CancelOpenFile() { OpenFileAnswers.push_back(std::nullopt); }
    void AnswerSaveFile(const std::string& name, int filterIndex = 1);

    // The texts of every plain message, in order.
    std::vector<std::string> Messages() const;
    // The texts of every question (Yes/No and OK/Cancel), in order.
    std::vector<std::string> Questions() const;

    void ShowMessage(const std::string& text) override;
    void ShowMessageBox(const std::string& text, const std::string& caption) override;
    YesNoAnswer AskYesNo(const std::string& text, const std::string& caption, MessageType type) override;
    // Skips the Dismissed answers at the front of the queue, as the question
    // stays up through Escape; then ends Dismissed when it is to be torn
    // down, or takes the Yes or No after them.
    YesNoAnswer AskYesNoUntilAnswered(const std::string& text, const std::string& caption, MessageType type) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    std::optional<FileDialogResult> ChooseOpenFile(const FileDialogOptions& options) override;
    std::optional<FileDialogResult> ChooseSaveFile(const FileDialogOptions& options) override;
    std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) override;
    bool OpenAddress(const std::string& address) override;
    void ProcessMessages() override { ++ProcessMessagesCalls; }
};

}  // namespace sequara
