#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "ui/Desktop.h"

namespace ui {

// What a test scripts and what it can read back afterwards.
struct Script {
    struct ShownBox {
        std::string text;
        MessageButtons buttons;
        MessageIcon icon;
        std::string title;
    };

    // Answers for the next boxes that ask a question; an OK box needs none. A question with
    // no answer queued fails the test through std::logic_error.
    std::deque<MessageResult> boxAnswers;
    // Answers for the next file dialogs: a program path, or nothing for cancel. A dialog with
    // no answer queued is cancelled.
    std::deque<std::optional<std::string>> dialogAnswers;
    // Runs in the event loop of a form shown modally or by run(); it may click, type, advance
    // the clock and close. A form still loaded afterwards is closed as by its close box.
    std::function<void(Form&)> whileShown;
    // Runs at each doEvents(), as the user's actions during a long handler.
    std::function<void()> duringEvents;
    bool windowsAvailable = true;
    ScreenMetrics screenMetrics;

    std::vector<ShownBox> boxes;
    std::vector<FileDialogRequest> dialogs;  // the requests shown
    std::vector<std::string> openedUrls;
    std::vector<std::string> shownForms;

    // Stands still until advanced; it is the process clock while the desktop lives.
    platform::ManualClock clock;
};

// A desktop for tests: the shared policy of Desktop over a backend that records boxes and
// dialogs and answers them from the script, takes the user's actions from the test, and fires
// the timers of the forms with a window as the clock is advanced, while events are handled.
class ScriptedDesktop : public Script, public Desktop {
public:
    ScriptedDesktop();
    ~ScriptedDesktop() override;

    // Moves the clock; due timers fire now inside an event loop or doEvents(), otherwise at the
    // next handling of events.
    void advance(double seconds);

    // The user's actions, through the same checks as the real windows' (a disabled or hidden
    // control, or one beneath a modal form, takes nothing).
    void click(Form& form, const std::string& control);
    void type(Form& form, const std::string& control, const std::string& text);
    void setValue(Form& form, const std::string& control, std::int64_t value);
    void choose(Form& form, const std::string& control, int index);
    // A key with the focus on the named control ("" for the form itself).
    void pressKey(Form& form, const std::string& focus, int keyCode, int shift = 0);
    void clickForm(Form& form);
    void closeBox(Form& form);

private:
    platform::ScopedClock clockInstalled_;
};

}  // namespace ui
