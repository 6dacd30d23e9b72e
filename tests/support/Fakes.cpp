#include "support/Fakes.h"

namespace fakes {

platform::MsgResult FakeDialogs::messageBox(const std::string& prompt, platform::MsgButtons buttons,
                                            platform::MsgIcon icon, const std::string& title) {
    messages.push_back({prompt, buttons, icon, title});
    if (onMessage) onMessage(messages.back());
    if (!messageAnswers.empty()) {
        auto a = messageAnswers.front();
        messageAnswers.pop_front();
        return a;
    }
    switch (buttons) {
    case platform::MsgButtons::YesNo:
    case platform::MsgButtons::YesNoCancel: return platform::MsgResult::Yes;
    case platform::MsgButtons::RetryCancel: return platform::MsgResult::Retry;
    default: return platform::MsgResult::OK;
    }
}

std::string FakeDialogs::inputBox(const std::string& prompt, const std::string& title,
                                  const std::string& defaultText) {
    inputs.push_back({prompt, title, defaultText});
    if (inputAnswers.empty()) return "";
    std::string a = inputAnswers.front();
    inputAnswers.pop_front();
    return a;
}

std::optional<std::string> FakeDialogs::saveFileDialog(const platform::FileDialogRequest& r) {
    fileRequests.push_back(r);
    if (fileAnswers.empty()) return std::nullopt;
    auto a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

std::optional<std::string> FakeDialogs::openFileDialog(const platform::FileDialogRequest& r) {
    return saveFileDialog(r);
}

std::optional<int32_t> FakeDialogs::colorDialog(int32_t initialBgr) {
    colorRequests.push_back(initialBgr);
    if (colorAnswers.empty()) return std::nullopt;
    auto a = colorAnswers.front();
    colorAnswers.pop_front();
    return a;
}

}  // namespace fakes
