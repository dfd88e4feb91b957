#include "ui/console/ConsoleDesktop.h"

#include <istream>
#include <ostream>

#include "platform/Text.h"
#include "ui/SystemClock.h"

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

MessageResult ConsoleDesktop::messageBox(const std::string& text, MessageButtons buttons,
                                         MessageIcon /*icon*/, const std::string& title) {
    out_ << title << '\n' << withNativeLineEnds(text) << '\n';
    if (buttons == MessageButtons::Ok) {
        out_.flush();
        return MessageResult::Ok;
    }
    return ask(buttons);
}

MessageResult ConsoleDesktop::ask(MessageButtons buttons) {
    const Choice choice = choiceFor(buttons);
    std::string answer;
    while (true) {
        out_ << choice.prompt << std::flush;
        if (!std::getline(in_, answer)) {
            // No one to answer: the cautious choice.
            out_ << '\n';
            return choice.negative;
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

bool ConsoleDesktop::showOpen(CommonDialog& /*dialog*/) {
    return false;
}

int ConsoleDesktop::run(Form& /*mainForm*/) {
    return 1;
}

void ConsoleDesktop::showModal(Form& /*form*/) {}

void ConsoleDesktop::closeForm(Form& /*form*/) {}

void ConsoleDesktop::quit(int /*exitCode*/) {}

float ConsoleDesktop::secondsSinceMidnight() {
    return systemSecondsSinceMidnight();
}

Date ConsoleDesktop::today() {
    return systemToday();
}

// Without a display the screen is taken as the common 1920 × 1080.
int ConsoleDesktop::screenWidthTwips() const {
    return 1920 * 15;
}
int ConsoleDesktop::screenHeightTwips() const {
    return 1080 * 15;
}

bool ConsoleDesktop::openUrl(const std::string& url) {
    out_ << url << '\n';
    return false;
}

}  // namespace ui
