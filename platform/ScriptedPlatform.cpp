#include "platform/ScriptedPlatform.h"

namespace sequara {

namespace {
template <typename T>
std::optional<T> takeFront(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto value = queue.front();
    queue.pop_front();
    return value;
}

bool takeAnswer(std::deque<bool>& queue) {
    if (queue.empty()) return false;
    bool value = queue.front();
    queue.pop_front();
    return value;
}
}  // namespace

void ScriptedPlatform::AnswerOpenFile(const std::string& name, int filterIndex) {
    OpenFileAnswers.push_back(FileDialogResult{name, filterIndex});
}

void ScriptedPlatform::AnswerSaveFile(const std::string& name, int filterIndex) {
    SaveFileAnswers.push_back(FileDialogResult{name, filterIndex});
}

std::vector<std::string> ScriptedPlatform::Messages() const {
    std::vector<std::string> out;
    for (const auto& e : Events)
        if (e.kind == Kind::Message) out.push_back(e.text);
    return out;
}

std::vector<std::string> ScriptedPlatform::Questions() const {
    std::vector<std::string> out;
    for (const auto& e : Events)
        if (e.kind == Kind::YesNo || e.kind == Kind::OkCancel) out.push_back(e.text);
    return out;
}

void ScriptedPlatform::ShowMessage(const std::string& text) {
    Events.push_back({Kind::Message, text, {}, true});
}

void ScriptedPlatform::ShowMessageBox(const std::string& text, const std::string& caption) {
    Events.push_back({Kind::Message, text, caption, true});
}

YesNoAnswer ScriptedPlatform::AskYesNo(const std::string& text, const std::string& caption, MessageType type) {
    YesNoAnswer answer = YesNoAnswer::No;
    if (!YesNoAnswers.empty()) {
        answer = YesNoAnswers.front();
        YesNoAnswers.pop_front();
    }
    Events.push_back({Kind::YesNo, text, caption, answer == YesNoAnswer::Yes, answer == YesNoAnswer::Dismissed, type});
    return answer;
}

YesNoAnswer ScriptedPlatform::AskYesNoUntilAnswered(const std::string& text, const std::string& caption,
                                                    MessageType type) {
    while (!YesNoAnswers.empty() && YesNoAnswers.front() == YesNoAnswer::Dismissed) YesNoAnswers.pop_front();
    if (TornDownQuestions > 0) {
        --TornDownQuestions;
        Events.push_back({Kind::YesNo, text, caption, false, true, type});
        return YesNoAnswer::Dismissed;
    }
    return ScriptedPlatform::AskYesNo(text, caption, type);
}

bool ScriptedPlatform::AskOkCancel(const std::string& text, const std::string& caption) {
    bool answer = takeAnswer(OkCancelAnswers);
    Events.push_back({Kind::OkCancel, text, caption, answer});
    return answer;
}

std::optional<FileDialogResult> ScriptedPlatform::ChooseOpenFile(const FileDialogOptions& options) {
    OpenFileOptions.push_back(options);
    auto answer = takeFront(OpenFileAnswers);
    Events.push_back({Kind::OpenFile, options.Title, {}, answer.has_value()});
    return answer;
}

std::optional<FileDialogResult> ScriptedPlatform::ChooseSaveFile(const FileDialogOptions& options) {
    SaveFileOptions.push_back(options);
    auto answer = takeFront(SaveFileAnswers);
    Events.push_back({Kind::SaveFile, options.Title, {}, answer.has_value()});
    return answer;
}

std::optional<std::uint32_t> ScriptedPlatform::ChooseColor(std::uint32_t) {
    auto answer = takeFront(ColorAnswers);
    Events.push_back({Kind::Color, {}, {}, answer.has_value()});
    return answer;
}

bool ScriptedPlatform::OpenAddress(const std::string& address) {
    Events.push_back({Kind::Address, address, {}, !OpenAddressFails});
    return !OpenAddressFails;
}

}  // namespace sequara
