#pragma once

#include <optional>
#include <string>

#include "ui/CommonDialog.h"
#include "ui/Form.h"

namespace ui {

enum class MessageIcon { None, Information, Question, Exclamation, Critical };
enum class MessageButtons { Ok, YesNo, RetryCancel };
enum class MessageResult { Ok, Yes, No, Retry, Cancel };

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The toolkit services every window relies on. One implementation per backend: real windows,
// a console without a display, and a scripted one for tests. Texts are UTF-8; paths are
// program paths (Windows notation).
class Desktop {
public:
    virtual ~Desktop() = default;

    // Whether forms can be shown at all; a console has no windows.
    virtual bool canShowWindows() const = 0;

    // Modal message box; returns the button the user chose.
    virtual MessageResult messageBox(const std::string& text, MessageButtons buttons,
                                     MessageIcon icon, const std::string& title) = 0;

    // Open-file dialog. On success sets dialog.fileName to the chosen path and returns true;
    // cancelling, or any failure to show the dialog, returns false and leaves the state alone.
    virtual bool showOpen(CommonDialog& dialog) = 0;

    // Shows the program's main form and runs the event loop until quit(); returns its code.
    virtual int run(Form& mainForm) = 0;
    // Shows a form modally and returns when it is closed with closeForm() or by the user.
    virtual void showModal(Form& form) = 0;
    virtual void closeForm(Form& form) = 0;
    // Ends every event loop at once; run() returns the code.
    virtual void quit(int exitCode) = 0;

    // Handles pending events once, so a long handler keeps the window alive.
    virtual void doEvents() = 0;

    // Time of day in seconds since midnight, with fractions, as single precision.
    virtual float secondsSinceMidnight() = 0;
    virtual Date today() = 0;

    virtual int screenWidthTwips() const = 0;
    virtual int screenHeightTwips() const = 0;
    virtual int twipsPerPixel() const = 0;

    virtual bool openUrl(const std::string& url) = 0;
};

}  // namespace ui
