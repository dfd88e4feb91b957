#pragma once

#include <iosfwd>

#include "ui/Desktop.h"

namespace ui {

// The desktop without a display: message boxes are written to the output (title, then text)
// and questions are answered on the input; no window can be shown.
class ConsoleDesktop : public Desktop {
public:
    ConsoleDesktop(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

    bool canShowWindows() const override { return false; }
    MessageResult messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& title) override;
    bool showOpen(CommonDialog& dialog) override;
    int run(Form& mainForm) override;
    void showModal(Form& form) override;
    void closeForm(Form& form) override;
    void quit(int exitCode) override;
    void doEvents() override {}
    float secondsSinceMidnight() override;
    Date today() override;
    int screenWidthTwips() const override;
    int screenHeightTwips() const override;
    int twipsPerPixel() const override { return 15; }
    bool openUrl(const std::string& url) override;

private:
    MessageResult ask(MessageButtons buttons);

    std::istream& in_;
    std::ostream& out_;
};

}  // namespace ui
