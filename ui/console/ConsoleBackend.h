#pragma once

#include <iosfwd>
#include <memory>

#include "ui/Backend.h"

namespace ui {

// The backend without a display: message boxes are written to the output (title, then text)
// and questions are answered on the input, the end of the input answering cautiously; no
// window can be shown.
class ConsoleBackend final : public Backend {
public:
    ConsoleBackend(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

    MessageResult messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& title) override;
    bool openUrl(const std::string& url) override;

private:
    MessageResult ask(MessageButtons buttons);

    std::istream& in_;
    std::ostream& out_;
};

}  // namespace ui
