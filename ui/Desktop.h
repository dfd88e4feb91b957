#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Backend.h"
#include "ui/CommonDialog.h"
#include "ui/Form.h"
#include "ui/MessageBox.h"

namespace ui {

// The outer size of a form's window, decorations included, in twips.
struct OuterSize {
    int width = 0;
    int height = 0;
};

// What every window relies on, the same whatever shows it: loading and unloading forms, modal
// and modeless showing, the event loop, message boxes and the file dialog. The policy lives
// here; a Backend does the toolkit's part. The backend is made on first need, so a run that
// shows nothing never starts a toolkit. Texts are UTF-8; paths are program paths.
class Desktop : private BackendHost {
public:
    // While it lives, a long handler that lets events through with doEvents() holds the
    // windows as if they were blocked: no control takes input, and Esc or a close box only
    // calls onCancel. A form whose close box was pressed meanwhile is unloaded when it goes.
    class BusyScope {
    public:
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

        bool closeRequested() const { return !closing_.empty(); }

    private:
        friend class Desktop;
        BusyScope(Desktop& desktop, std::function<void()> onCancel);

        Desktop& desktop_;
        std::function<void()> onCancel_;
        std::vector<Form*> closing_;
        BusyScope* outer_;
    };

    using BackendFactory = std::function<std::unique_ptr<Backend>()>;
    explicit Desktop(BackendFactory factory);
    ~Desktop() override;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // Whether forms can be shown at all; a console has no windows.
    bool canShowWindows() const;

    // Loads a form that is not loaded: its design is restored and its load handler runs. The
    // window itself is made when the form is first shown.
    void load(Form& form);
    // Unloads a loaded form: its unload handler runs once, its window goes, a modal showing of
    // it returns. Unloading a form that is not loaded does nothing.
    void unload(Form& form);
    bool isLoaded(const Form& form) const;
    // Whether the form's window is on the screen.
    bool isShowing(const Form& form) const;

    // Loads the form if needed and shows it modally: returns once it is unloaded (or the
    // program ends). Without windows the form is loaded and unloaded again.
    void showModal(Form& form);
    // Loads the form if needed and shows it; returns at once.
    void show(Form& form);

    // Loads (if needed) and shows the main form and runs the event loop until the program ends
    // or the main form is unloaded; returns the exit code.
    int run(Form& mainForm);
    // Ends the program: every loop returns, no form shows any more, and the first code given
    // is the one run() returns.
    void quit(int exitCode);
    bool quitting() const { return exitCode_.has_value(); }
    std::optional<int> exitCode() const { return exitCode_; }

    // Handles the pending events once (paint, clicks, keys, timers), so that a long handler
    // keeps its windows alive.
    void doEvents();
    [[nodiscard]] BusyScope busy(std::function<void()> onCancel);
    bool isBusy() const { return busy_ != nullptr; }

    // Modal message box; the button chosen. After quit() nothing is shown and the cautious
    // answer returned.
    MessageResult messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& title);
    // The open-file dialog on the shared state: on success dialog.fileName is the chosen path
    // and the result true; cancelling or any failure gives false and leaves the state alone.
    bool showOpen(CommonDialog& dialog);

    ScreenMetrics screen() const;
    // The window's size with its decorations, as the form would be shown.
    OuterSize outerSize(const Form& form) const;

    bool openUrl(const std::string& url);

    // The backend, made now if it was not yet (for backend-specific test access).
    Backend& backend() const;

private:
    struct Loaded;

    void userClicked(Form& form, Control& control) override;
    void userChangedText(Form& form, Control& control, const std::string& text) override;
    void userChangedValue(Form& form, Control& control, std::int64_t value) override;
    void userChangedListIndex(Form& form, Control& control, int index) override;
    void userClickedForm(Form& form) override;
    void userFocused(Form& form, Control& control) override;
    void userPressedKey(Form& form, Control* focus, int keyCode, int shift) override;
    void userClosed(Form& form) override;
    void timerElapsed(Form& form, Control& timer) override;

    friend class Form;

    Loaded* find(const Form& form) const;
    void ensureWindow(Form& form, bool main);
    void forget(Form& form);
    void formDestroyed(Form& form);
    bool takesInput(const Form& form) const;
    bool takesInput(const Form& form, const Control& control) const;

    BackendFactory factory_;
    mutable std::unique_ptr<Backend> backend_;
    std::vector<std::unique_ptr<Loaded>> loaded_;
    std::optional<int> exitCode_;
    BusyScope* busy_ = nullptr;
};

}  // namespace ui
