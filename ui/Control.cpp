#include "ui/Control.h"

#include <algorithm>

#include "ui/ClipLoader.h"
#include "ui/Utf8.h"

namespace ui {

void Control::changed(Property property) {
    if (observer && !notifying_) {
        notifying_ = true;
        observer(*this, property);
        notifying_ = false;
    }
}

void Control::fire(Event event) {
    if (event == Event::None) {
        return;
    }
    // A copy, as a handler may replace itself while it runs.
    const auto handler = event == Event::Change ? onChange : onClick;
    if (handler) {
        handler();
    }
}

void Control::assignText(const std::string& text, bool fromUser) {
    if (text == state_.text) {
        return;
    }
    state_.text = text;
    const int length = codePointCount(state_.text);
    state_.selStart = std::min(state_.selStart, length);
    state_.selLength = std::min(state_.selLength, length - state_.selStart);
    if (!fromUser) {
        changed(Property::Text);
    }
    fire(eventFor(kind_, Property::Text));
}

void Control::setText(const std::string& text) {
    assignText(text, false);
}

void Control::userSetsText(const std::string& text) {
    assignText(text, true);
}

void Control::setEnabled(bool enabled) {
    if (enabled != state_.enabled) {
        state_.enabled = enabled;
        changed(Property::Enabled);
    }
}

void Control::setVisible(bool visible) {
    if (visible != state_.visible) {
        state_.visible = visible;
        changed(Property::Visible);
    }
}

void Control::setGeometry(const Rect& geometry) {
    if (geometry != state_.geometry) {
        state_.geometry = geometry;
        changed(Property::Geometry);
    }
}

void Control::setFont(const Font& font) {
    if (font != state_.font) {
        state_.font = font;
        changed(Property::Font);
    }
}

void Control::setFontSize(double points) {
    Font font = state_.font;
    font.size = points;
    setFont(font);
}

void Control::setFontWeight(int weight) {
    Font font = state_.font;
    font.weight = weight;
    setFont(font);
}

void Control::setAlignment(Alignment alignment) {
    if (alignment != state_.alignment) {
        state_.alignment = alignment;
        changed(Property::Alignment);
    }
}

void Control::setBackStyle(BackStyle style) {
    if (style != state_.backStyle) {
        state_.backStyle = style;
        changed(Property::BackStyle);
    }
}

void Control::setBackColor(const Color& color) {
    if (color != state_.backColor) {
        state_.backColor = color;
        changed(Property::BackColor);
    }
}

void Control::setSelection(int start, int length) {
    userSetsSelection(start, length);
    changed(Property::Selection);
}

void Control::userSetsSelection(int start, int length) {
    const int textLength = codePointCount(state_.text);
    state_.selStart = std::clamp(start, 0, textLength);
    state_.selLength = std::clamp(length, 0, textLength - state_.selStart);
}

void Control::setValue(std::int64_t value) {
    if (value != state_.value) {
        state_.value = value;
        changed(Property::Value);
        fire(eventFor(kind_, Property::Value));
    }
}

void Control::userSetsValue(std::int64_t value) {
    if (value != state_.value) {
        state_.value = value;
        fire(eventFor(kind_, Property::Value));
    }
}

void Control::setMaximum(std::int64_t maximum) {
    if (maximum != state_.maximum) {
        state_.maximum = maximum;
        changed(Property::Maximum);
    }
}

void Control::setItems(std::vector<std::string> items) {
    state_.items = std::move(items);
    if (state_.listIndex >= static_cast<int>(state_.items.size())) {
        state_.listIndex = -1;
    }
    changed(Property::Items);
}

void Control::setListIndex(int index) {
    const int before = state_.listIndex;
    state_.listIndex = (index >= 0 && index < static_cast<int>(state_.items.size())) ? index : -1;
    if (state_.listIndex != before) {
        changed(Property::ListIndex);
        fire(eventFor(kind_, Property::ListIndex));
    }
}

void Control::userSetsListIndex(int index) {
    const int before = state_.listIndex;
    state_.listIndex = (index >= 0 && index < static_cast<int>(state_.items.size())) ? index : -1;
    if (state_.listIndex != before) {
        fire(eventFor(kind_, Property::ListIndex));
    }
}

void Control::userClicks() {
    fire(Event::Click);
}

void Control::setInterval(int milliseconds) {
    if (milliseconds != state_.interval) {
        state_.interval = milliseconds;
        changed(Property::Interval);
    }
}

void Control::setPicture(const std::string& resource) {
    if (resource != state_.picture) {
        state_.picture = resource;
        changed(Property::Picture);
    }
}

void Control::setUrl(const std::string& url) {
    if (url != state_.url) {
        state_.url = url;
        changed(Property::Url);
    }
}

void Control::setDefault(bool isDefault) {
    if (isDefault != state_.isDefault) {
        state_.isDefault = isDefault;
        changed(Property::Default);
    }
}

void Control::setCancel(bool isCancel) {
    if (isCancel != state_.isCancel) {
        state_.isCancel = isCancel;
        changed(Property::Cancel);
    }
}

bool Control::openClip(const std::string& path) {
    closeClip();
    auto clip = loadClip(path);
    if (!clip) {
        return false;
    }
    state_.clipPath = path;
    state_.clip = std::move(clip);
    changed(Property::Clip);
    return true;
}

void Control::closeClip() {
    if (state_.clip || !state_.clipPath.empty()) {
        state_.clip.reset();
        state_.clipPath.clear();
        changed(Property::Clip);
    }
}

void Control::keepDesign() {
    design_ = state_;
}

void Control::restoreDesign() {
    if (design_) {
        state_ = *design_;
    }
}

}  // namespace ui
