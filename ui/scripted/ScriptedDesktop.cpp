#include "ui/scripted/ScriptedDesktop.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

MessageResult ScriptedDesktop::messageBox(const std::string& text, MessageButtons buttons,
                                          MessageIcon icon, const std::string& title) {
    boxes.push_back({text, buttons, icon, title});
    if (buttons == MessageButtons::Ok) {
        return MessageResult::Ok;
    }
    if (boxAnswers.empty()) {
        throw std::logic_error("unanswered question: " + title + ": " + text);
    }
    const MessageResult answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
}

bool ScriptedDesktop::showOpen(CommonDialog& dialog) {
    dialogs.push_back(dialog);
    if (dialogAnswers.empty()) {
        return false;
    }
    const auto answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    if (!answer) {
        return false;
    }
    dialog.fileName = *answer;
    return true;
}

void ScriptedDesktop::showForm(Form& form) {
    shownForms.push_back(form.name());
    showing_.push_back(&form);
    if (whileShown) {
        whileShown(form);
    }
    closeForm(form);
}

int ScriptedDesktop::run(Form& mainForm) {
    showForm(mainForm);
    return quitCode.value_or(0);
}

void ScriptedDesktop::showModal(Form& form) {
    showForm(form);
}

void ScriptedDesktop::closeForm(Form& form) {
    showing_.erase(std::remove(showing_.begin(), showing_.end(), &form), showing_.end());
    for (const auto& control : form.controls()) {
        timerElapsedMs_.erase(control.get());
    }
}

void ScriptedDesktop::advance(float seconds) {
    now_ += seconds;
    if (now_ >= 86400.0f) {
        now_ -= 86400.0f;
    }
    // Each enabled timer fires once per whole interval that has passed; a handler may close
    // its form, so the forms are taken as they were before the first one fired.
    const auto forms = showing_;
    for (Form* form : forms) {
        for (const auto& control : form->controls()) {
            if (control->kind() != ControlKind::Timer || !control->enabled() ||
                control->interval() <= 0) {
                continue;
            }
            float& elapsed = timerElapsedMs_[control.get()];
            elapsed += seconds * 1000.0f;
            const auto interval = static_cast<float>(control->interval());
            while (elapsed >= interval && control->enabled()) {
                elapsed -= interval;
                if (control->onTimer) {
                    control->onTimer();
                }
            }
        }
    }
}

float ScriptedDesktop::secondsSinceMidnight() {
    if (timeReadings.empty()) {
        return now_;
    }
    const float reading = timeReadings.front();
    timeReadings.pop_front();
    return reading;
}

bool ScriptedDesktop::openUrl(const std::string& url) {
    openedUrls.push_back(url);
    return true;
}

}  // namespace ui
