#include "ui/Form.h"

#include <algorithm>
#include <stdexcept>

#include "ui/Desktop.h"

namespace ui {

Form::~Form() {
    if (loadedBy_ != nullptr) {
        loadedBy_->formDestroyed(*this);
    }
}

void Form::changed(FormProperty property) {
    if (observer) {
        const auto mirror = observer;
        mirror(*this, property);
    }
}

void Form::setCaption(const std::string& caption) {
    if (caption != state_.caption) {
        state_.caption = caption;
        changed(FormProperty::Caption);
    }
}

void Form::move(double leftTwips, double topTwips) {
    const Point position{leftTwips, topTwips};
    if (state_.position != position) {
        state_.position = position;
        changed(FormProperty::Position);
    }
}

void Form::setClientSize(int widthTwips, int heightTwips) {
    state_.clientWidth = widthTwips;
    state_.clientHeight = heightTwips;
}

void Form::setBorderStyle(BorderStyle style) {
    if (style != state_.borderStyle) {
        state_.borderStyle = style;
        changed(FormProperty::BorderStyle);
    }
}

void Form::setIcon(const std::string& resource) {
    if (resource != state_.icon) {
        state_.icon = resource;
        changed(FormProperty::Icon);
    }
}

void Form::setBackColor(const Color& color) {
    if (color != state_.backColor) {
        state_.backColor = color;
        changed(FormProperty::BackColor);
    }
}

void Form::setVisible(bool visible) {
    if (visible != state_.visible) {
        state_.visible = visible;
        changed(FormProperty::Visible);
    }
}

void Form::setRegion(const std::optional<RoundRectRegion>& region) {
    if (region != state_.region) {
        state_.region = region;
        changed(FormProperty::Region);
    }
}

Control& Form::add(ControlKind kind, const std::string& name, const std::string& text,
                   Rect geometry) {
    for (const auto& existing : controls_) {
        if (existing->name() == name) {
            throw std::logic_error("duplicate control " + name + " on " + name_);
        }
    }
    auto& control = *controls_.emplace_back(std::make_unique<Control>(kind, name));
    control.setFont(state_.font);
    // Boxes one types in or picks from have the window colour, as on Windows.
    if (kind == ControlKind::TextBox || kind == ControlKind::ListBox) {
        control.setBackColor(Color::window());
    }
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

bool Form::showsControl(const Control& control) const {
    const Control* current = &control;
    // Frames nest at most as deep as there are controls, which bounds a parent cycle too.
    for (std::size_t depth = 0; depth <= controls_.size(); ++depth) {
        if (!current->visible()) {
            return false;
        }
        if (current->parentName().empty() || current->kind() == ControlKind::MenuItem) {
            return true;
        }
        current = &this->control(current->parentName());
    }
    return false;
}

bool Form::hasMenuBar() const {
    return std::any_of(controls_.begin(), controls_.end(),
                       [](const auto& control) { return control->kind() == ControlKind::Menu; });
}

void Form::keepDesign() {
    if (design_) {
        return;
    }
    design_ = state_;
    for (const auto& control : controls_) {
        control->keepDesign();
    }
}

void Form::restoreDesign() {
    if (design_) {
        state_ = *design_;
    }
    for (const auto& control : controls_) {
        control->restoreDesign();
    }
}

}  // namespace ui
