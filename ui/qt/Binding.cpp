#include "ui/qt/Binding.h"

namespace ui::qt {

Binding::Binding(Control& model, const BindingContext& context)
    : control_(model), form_(context.form), host_(context.host) {}

Binding::~Binding() {
    Binding::detach();
}

void Binding::attach() {
    attached_ = true;
    control_.observer = [this](Control&, Property property) { apply(property); };
    for (const Property property :
         {Property::Text, Property::Enabled, Property::Visible, Property::Geometry, Property::Font,
          Property::Alignment, Property::BackStyle, Property::BackColor, Property::Items,
          Property::ListIndex, Property::Selection, Property::Maximum, Property::Value,
          Property::Interval, Property::Picture, Property::Url, Property::Default, Property::Cancel,
          Property::Clip}) {
        apply(property);
    }
}

void Binding::detach() {
    if (attached_) {
        attached_ = false;
        control_.observer = nullptr;
    }
}

}  // namespace ui::qt
