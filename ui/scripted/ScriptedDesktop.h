#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "ui/Desktop.h"

namespace ui {

// A desktop for tests: message boxes and file dialogs are recorded and answered from queues
// the test fills, the clock stands still until the test advances it, and timers of the forms
// being shown fire as it does.
class ScriptedDesktop : public Desktop {
public:
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
    // Runs while a form is shown by run() or showModal(); it may click, type and close.
    std::function<void(Form&)> whileShown;
    bool windowsAvailable = true;

    std::vector<ShownBox> boxes;
    std::vector<CommonDialog> dialogs;  // the dialog state at each showing
    std::vector<std::string> openedUrls;
    std::vector<std::string> shownForms;
    std::optional<int> quitCode;

    // Readings the clock gives before it goes back to the standing time, for a clock that
    // moves while a handler runs.
    std::deque<float> timeReadings;

    // Moves the clock and fires the due timers of the forms being shown.
    void advance(float seconds);
    void setTimeOfDay(float seconds) { now_ = seconds; }

    bool canShowWindows() const override { return windowsAvailable; }
    MessageResult messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& title) override;
    bool showOpen(CommonDialog& dialog) override;
    int run(Form& mainForm) override;
    void showModal(Form& form) override;
    void closeForm(Form& form) override;
    void quit(int exitCode) override { quitCode = exitCode; }
    void doEvents() override {}
    float secondsSinceMidnight() override;
    Date today() override { return date; }
    int screenWidthTwips() const override { return 1920 * 15; }
    int screenHeightTwips() const override { return 1080 * 15; }
    int twipsPerPixel() const override { return 15; }
    bool openUrl(const std::string& url) override;

    Date date{2026, 12, 10};

private:
    void showForm(Form& form);

    float now_ = 36000.0f;
    std::vector<Form*> showing_;
    std::map<const Control*, float> timerElapsedMs_;
};

}  // namespace ui
