#pragma once

namespace ui {

enum class MessageIcon { None, Information, Question, Exclamation, Critical };
enum class MessageButtons { Ok, YesNo, RetryCancel };
enum class MessageResult { Ok, Yes, No, Retry, Cancel };

// The answer of a box nobody can answer (no one at the input, the program ending): the
// cautious one, No or Cancel.
constexpr MessageResult cautiousAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return MessageResult::No;
        case MessageButtons::RetryCancel:
            return MessageResult::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return MessageResult::Ok;
}

}  // namespace ui
