#include "ui/qt/WidgetBinding.h"

#include <QMouseEvent>
#include <QWidget>

#include "ui/qt/Looks.h"
#include "ui/qt/QtText.h"

namespace ui::qt {

WidgetBinding::WidgetBinding(Control& model, const BindingContext& context, QWidget* widget)
    : Binding(model, context), widget_(widget) {
    widget_->setObjectName(toQString(model.name()));
    widget_->installEventFilter(this);
}

void WidgetBinding::apply(Property property) {
    const Control& c = control();
    switch (property) {
        case Property::Enabled:
            widget_->setEnabled(c.enabled());
            break;
        case Property::Visible:
            widget_->setVisible(c.visible());
            break;
        case Property::Geometry:
            widget_->setGeometry(pixelRect(c.geometry()));
            break;
        case Property::Font:
            widget_->setFont(qtFont(c.font(), *widget_));
            break;
        case Property::BackStyle:
        case Property::BackColor:
            if (background() == Background::Caption) {
                paintBackground(*widget_, c.backStyle(), c.backColor());
            } else if (background() == Background::Box) {
                QPalette palette = widget_->palette();
                palette.setColor(QPalette::Base, qtColor(c.backColor()));
                widget_->setPalette(palette);
            }
            break;
        default:
            break;
    }
}

void WidgetBinding::focusIn() {
    report(
        [](BackendHost& host, Form& form, Control& control) { host.userFocused(form, control); });
}

bool WidgetBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget_ && event->type() == QEvent::FocusIn) {
        focusIn();
    }
    return false;
}

bool WidgetBinding::isClick(const QEvent& event, const QWidget& widget) {
    if (event.type() != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto& mouse = static_cast<const QMouseEvent&>(event);
    return mouse.button() == Qt::LeftButton && widget.rect().contains(mouse.position().toPoint());
}

}  // namespace ui::qt
