#include "ui/Control.h"

#include "ui/Utf8.h"

namespace ui {

void Control::changed(Property property) {
    if (observer && !notifying_) {
        notifying_ = true;
        observer(*this, property);
        notifying_ = false;
    }
}

void Control::assignText(const std::string& text, bool fromUser) {
    if (text == text_) {
        return;
    }
    text_ = text;
    const int length = codePointCount(text_);
    if (selStart_ > length) {
        selStart_ = length;
    }
    if (selStart_ + selLength_ > length) {
        selLength_ = length - selStart_;
    }
    if (!fromUser) {
        changed(Property::Text);
    }
    if (onChange) {
        onChange();
    }
}

void Control::setText(const std::string& text) {
    assignText(text, false);
}
void Control::userSetsText(const std::string& text) {
    assignText(text, true);
}

void Control::setEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        changed(Property::Enabled);
    }
}

void Control::setVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        changed(Property::Visible);
    }
}

void Control::setGeometry(const Rect& geometry) {
    if (!(geometry == geometry_)) {
        geometry_ = geometry;
        changed(Property::Geometry);
    }
}

void Control::setFontSize(double points) {
    fontSize_ = points;
    changed(Property::FontSize);
}

void Control::setSelection(int start, int length) {
    userSetsSelection(start, length);
    changed(Property::Selection);
}

void Control::userSetsSelection(int start, int length) {
    const int textLength = codePointCount(text_);
    selStart_ = start < 0 ? 0 : (start > textLength ? textLength : start);
    const int room = textLength - selStart_;
    selLength_ = length < 0 ? 0 : (length > room ? room : length);
}

void Control::setValue(int value) {
    if (value != value_) {
        value_ = value;
        changed(Property::Value);
    }
}

void Control::userSetsValue(int value) {
    if (value != value_) {
        value_ = value;
        if (onClick && kind_ == ControlKind::CheckBox) {
            onClick();
        }
    }
}

void Control::setMaximum(int maximum) {
    maximum_ = maximum;
    changed(Property::Maximum);
}

void Control::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    if (listIndex_ >= static_cast<int>(items_.size())) {
        listIndex_ = -1;
    }
    changed(Property::Items);
}

void Control::setListIndex(int index) {
    userSetsListIndex(index);
    changed(Property::ListIndex);
}

void Control::userSetsListIndex(int index) {
    listIndex_ = (index >= 0 && index < static_cast<int>(items_.size())) ? index : -1;
}

void Control::setInterval(int milliseconds) {
    interval_ = milliseconds;
    changed(Property::Interval);
}

void Control::setPicture(const std::string& resource) {
    picture_ = resource;
    changed(Property::Picture);
}

void Control::setUrl(const std::string& url) {
    url_ = url;
    changed(Property::Url);
}

}  // namespace ui
