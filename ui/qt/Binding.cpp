#include "ui/qt/Binding.h"

namespace ui::qt {

Binding::~Binding() {
    detach();
}

void Binding::attach() {
    attached_ = true;
    control_.observer = [this](Control&, Property property) { apply(property); };
    for (const Property property :
         {Property::Text, Property::Enabled, Property::Visible, Property::Geometry,
          Property::FontSize, Property::Items, Property::ListIndex, Property::Selection,
          Property::Maximum, Property::Value, Property::Interval, Property::Picture,
          Property::Url}) {
        apply(property);
    }
}

void Binding::detach() {
    if (attached_) {
        attached_ = false;
        control_.observer = nullptr;
    }
}

void Binding::fire(const std::function<void()>& handler) const {
    // A copy, as a handler may replace itself while it runs.
    if (attached_ && handler) {
        const auto call = handler;
        call();
    }
}

}  // namespace ui::qt
