#include "ui/console/ConsoleBackend.h"

#include <istream>
#include <ostream>

#include "platform/Text.h"

namespace ui {

namespace {

std::string withNativeLineEnds(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        result += text[i] == '\r' ? '\n' : text[i];
    }
    return result;
}

struct Choice {
    const char* prompt;
    char positiveKey;
    MessageResult positive;
    MessageResult negative;
};

Choice choiceFor(MessageButtons buttons) {
    if (buttons == MessageButtons::YesNo) {
        return {"[A]no / [N]e: ", 'a', MessageResult::Yes, MessageResult::No};
    }
    return {"[O]pakovat / [S]torno: ", 'o', MessageResult::Retry, MessageResult::Cancel};
}

}  // namespace

MessageResult ConsoleBackend::messageBox(const std::string& text, MessageButtons buttons,
                                         MessageIcon /*icon*/, const std::string& title) {
    out_ << title << '\n' << withNativeLineEnds(text) << '\n';
    if (buttons == MessageButtons::Ok) {
        out_.flush();
        return MessageResult::Ok;
    }
    return ask(buttons);
}

MessageResult ConsoleBackend::ask(MessageButtons buttons) {
    const Choice choice = choiceFor(buttons);
    std::string answer;
    while (true) {
        out_ << choice.prompt << std::flush;
        if (!std::getline(in_, answer)) {
            out_ << '\n';
            return cautiousAnswer(buttons);
        }
        const std::string lower = platform::toLower(answer);
        if (!lower.empty() && lower[0] == choice.positiveKey) {
            return choice.positive;
        }
        const char negativeKey = buttons == MessageButtons::YesNo ? 'n' : 's';
        if (!lower.empty() && lower[0] == negativeKey) {
            return choice.negative;
        }
    }
}

bool ConsoleBackend::openUrl(const std::string& url) {
    out_ << url << '\n';
    return false;
}

}  // namespace ui
