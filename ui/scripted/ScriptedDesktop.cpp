#include "ui/scripted/ScriptedDesktop.h"

#include <algorithm>
#include <stdexcept>

namespace ui {
namespace {

class ScriptedBackend final : public Backend {
public:
    explicit ScriptedBackend(Script& script) : script_(script) {}

    bool canShowWindows() const override { return script_.windowsAvailable; }

    MessageResult messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& title) override {
        script_.boxes.push_back({text, buttons, icon, title});
        if (buttons == MessageButtons::Ok) {
            return MessageResult::Ok;
        }
        if (script_.boxAnswers.empty()) {
            throw std::logic_error("unanswered question: " + title + ": " + text);
        }
        const MessageResult answer = script_.boxAnswers.front();
        script_.boxAnswers.pop_front();
        return answer;
    }

    std::optional<std::string> openFile(const FileDialogRequest& request) override {
        script_.dialogs.push_back(request);
        if (script_.dialogAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = script_.dialogAnswers.front();
        script_.dialogAnswers.pop_front();
        return answer;
    }

    void createWindow(Form& form, bool /*main*/) override {
        windows_.push_back(&form);
        for (const auto& control : form.controls()) {
            if (control->kind() == ControlKind::Timer) {
                armed_[control.get()] = now();
                control->observer = [this](Control& timer, Property property) {
                    if (property == Property::Enabled || property == Property::Interval) {
                        armed_[&timer] = now();
                    }
                };
            }
        }
    }

    void destroyWindow(Form& form) override {
        std::erase(windows_, &form);
        for (const auto& control : form.controls()) {
            armed_.erase(control.get());
            control->observer = nullptr;
        }
    }

    void showWindow(Form& form, bool /*modal*/) override {
        script_.shownForms.push_back(form.name());
    }

    void runLoop(Form& form, const std::function<bool()>& done) override {
        handlingEvents([&] {
            fireDueTimers();
            if (script_.whileShown && !done()) {
                const auto script = script_.whileShown;
                script(form);
            }
        });
        if (!done()) {
            host().userClosed(form);
        }
    }

    void processEvents() override {
        handlingEvents([&] {
            fireDueTimers();
            if (script_.duringEvents) {
                const auto script = script_.duringEvents;
                script();
            }
        });
    }

    ScreenMetrics screen() const override { return script_.screenMetrics; }

    bool openUrl(const std::string& url) override {
        script_.openedUrls.push_back(url);
        return true;
    }

    void advanced() {
        if (depth_ > 0) {
            fireDueTimers();
        }
    }

    BackendHost& user() { return host(); }

private:
    double now() const { return script_.clock.monotonicSeconds(); }

    template <class Step>
    void handlingEvents(const Step& step) {
        ++depth_;
        try {
            step();
        } catch (...) {
            --depth_;
            throw;
        }
        --depth_;
    }

    // Each enabled timer fires once per whole interval that has passed since it was armed. A
    // handler may unload its form or disable the timer, so both are checked before each tick.
    void fireDueTimers() {
        const auto forms = windows_;
        for (Form* form : forms) {
            for (const auto& control : form->controls()) {
                Control& timer = *control;
                if (timer.kind() != ControlKind::Timer) {
                    continue;
                }
                while (std::find(windows_.begin(), windows_.end(), form) != windows_.end() &&
                       timer.enabled() && timer.interval() > 0 &&
                       now() - armed_[&timer] >= timer.interval() / 1000.0) {
                    armed_[&timer] += timer.interval() / 1000.0;
                    host().timerElapsed(*form, timer);
                }
            }
        }
    }

    Script& script_;
    std::vector<Form*> windows_;
    std::map<const Control*, double> armed_;
    int depth_ = 0;
};

ScriptedBackend& scripted(Desktop& desktop) {
    return static_cast<ScriptedBackend&>(desktop.backend());
}

}  // namespace

ScriptedDesktop::ScriptedDesktop()
    : Desktop([this] { return std::make_unique<ScriptedBackend>(static_cast<Script&>(*this)); }),
      clockInstalled_(clock) {}

ScriptedDesktop::~ScriptedDesktop() = default;

void ScriptedDesktop::advance(double seconds) {
    clock.advance(seconds);
    scripted(*this).advanced();
}

void ScriptedDesktop::click(Form& form, const std::string& control) {
    scripted(*this).user().userClicked(form, form.control(control));
}

void ScriptedDesktop::type(Form& form, const std::string& control, const std::string& text) {
    scripted(*this).user().userChangedText(form, form.control(control), text);
}

void ScriptedDesktop::setValue(Form& form, const std::string& control, std::int64_t value) {
    scripted(*this).user().userChangedValue(form, form.control(control), value);
}

void ScriptedDesktop::choose(Form& form, const std::string& control, int index) {
    scripted(*this).user().userChangedListIndex(form, form.control(control), index);
}

void ScriptedDesktop::pressKey(Form& form, const std::string& focus, int keyCode, int shift) {
    scripted(*this).user().userPressedKey(form, focus.empty() ? nullptr : &form.control(focus),
                                          keyCode, shift);
}

void ScriptedDesktop::clickForm(Form& form) {
    scripted(*this).user().userClickedForm(form);
}

void ScriptedDesktop::closeBox(Form& form) {
    scripted(*this).user().userClosed(form);
}

}  // namespace ui
