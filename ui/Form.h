#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

// A window described as data: caption, client size, background and named controls, written
// once by the window's logic and shown by whichever backend runs the program.
class Form {
public:
    explicit Form(std::string name) : name_(std::move(name)) {}
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form() = default;

    const std::string& name() const { return name_; }

    std::string caption;
    int clientWidth = 0;   // pixels at 96 dpi
    int clientHeight = 0;  // pixels at 96 dpi
    std::string backgroundPicture;

    // Adds a control; names are unique within the form. Controls keep the order of creation,
    // which is also the order in which menus and menu items appear.
    Control& add(ControlKind kind, const std::string& name, const std::string& text = {},
                 Rect geometry = {});
    Control& control(const std::string& name);
    const Control& control(const std::string& name) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    // Called by a backend when the user closes the window.
    std::function<void()> onClosed;

private:
    std::string name_;
    std::vector<std::unique_ptr<Control>> controls_;
};

}  // namespace ui
