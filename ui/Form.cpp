#include "ui/Form.h"

#include <stdexcept>

namespace ui {

Control& Form::add(ControlKind kind, const std::string& name, const std::string& text,
                   Rect geometry) {
    for (const auto& existing : controls_) {
        if (existing->name() == name) {
            throw std::logic_error("duplicate control " + name + " on " + name_);
        }
    }
    auto& control = *controls_.emplace_back(std::make_unique<Control>(kind, name));
    control.setText(text);
    control.setGeometry(geometry);
    return control;
}

Control& Form::control(const std::string& name) {
    return const_cast<Control&>(static_cast<const Form&>(*this).control(name));
}

const Control& Form::control(const std::string& name) const {
    for (const auto& existing : controls_) {
        if (existing->name() == name) {
            return *existing;
        }
    }
    throw std::logic_error("no control " + name + " on " + name_);
}

}  // namespace ui
