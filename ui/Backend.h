#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/FileDialogPolicy.h"
#include "ui/Form.h"
#include "ui/MessageBox.h"

namespace ui {

// The screen as the forms' logic measures it. Twips per pixel may be fractional (7.5 at
// 192 dpi).
struct ScreenMetrics {
    int widthTwips = 1920 * kTwipsPerDesignPixel;
    int heightTwips = 1080 * kTwipsPerDesignPixel;
    double twipsPerPixelX = kTwipsPerDesignPixel;
    double twipsPerPixelY = kTwipsPerDesignPixel;
};

// What a window adds around its client area, in pixels.
struct FrameExtents {
    int left = 0;
    int top = 0;  // the title bar included, the menu bar not
    int right = 0;
    int bottom = 0;
    int menuBar = 0;
};

// What a backend reports of the user's actions; the shared layer decides what they mean.
class BackendHost {
public:
    virtual ~BackendHost() = default;
    // Buttons, labels, pictures, hyperlink labels, menus and menu items.
    virtual void userClicked(Form& form, Control& control) = 0;
    // Typing in a text box, ticking a check box, choosing a list entry.
    virtual void userChangedText(Form& form, Control& control, const std::string& text) = 0;
    virtual void userChangedValue(Form& form, Control& control, std::int64_t value) = 0;
    virtual void userChangedListIndex(Form& form, Control& control, int index) = 0;
    virtual void userClickedForm(Form& form) = 0;
    // The keyboard focus moved to a control.
    virtual void userFocused(Form& form, Control& control) = 0;
    // focus is the control that has the keyboard focus, or nullptr for the form itself.
    virtual void userPressedKey(Form& form, Control* focus, int keyCode, int shift) = 0;
    virtual void userClosed(Form& form) = 0;
    virtual void timerElapsed(Form& form, Control& timer) = 0;
};

// The primitives one toolkit offers. Policy (which forms are loaded, what closing means, the
// exit code, keys such as Esc, the file dialog's starting folder) stays in Desktop; a backend
// only makes the toolkit's calls and reports back. The defaults suit a backend without windows.
class Backend {
public:
    virtual ~Backend() = default;

    void setHost(BackendHost& host) { host_ = &host; }

    virtual bool canShowWindows() const { return false; }

    virtual MessageResult messageBox(const std::string& text, MessageButtons buttons,
                                     MessageIcon icon, const std::string& title) = 0;
    // The chosen program path, or nothing for cancel or failure.
    virtual std::optional<std::string> openFile(const FileDialogRequest& /*request*/) {
        return std::nullopt;
    }

    // A window for a loaded form, built hidden from the form's current state and kept in step
    // with it through the observers until destroyWindow().
    virtual void createWindow(Form& /*form*/, bool /*main*/) {}
    virtual void destroyWindow(Form& /*form*/) {}
    // Shows the created window; a modal one takes the input from every other window.
    virtual void showWindow(Form& /*form*/, bool /*modal*/) {}

    // Runs the event loop until done() holds; the shared layer calls wake() after every change
    // that may make it hold. Loops nest: the innermost returns first. form is the window the
    // loop waits for.
    virtual void runLoop(Form& /*form*/, const std::function<bool()>& /*done*/) {}
    virtual void wake() {}
    // Handles the pending events once.
    virtual void processEvents() {}

    virtual ScreenMetrics screen() const { return {}; }
    // Typical decorations at 96 dpi, for toolkits that cannot tell before a window is shown.
    virtual FrameExtents frameExtents(BorderStyle style) const;

    virtual bool openUrl(const std::string& /*url*/) { return false; }

protected:
    BackendHost& host() const { return *host_; }

private:
    BackendHost* host_ = nullptr;
};

}  // namespace ui
