#include "ui/qt/WidgetBinding.h"

#include <QKeyEvent>
#include <QWidget>
#include <cmath>

#include "ui/qt/KeyCodes.h"
#include "ui/qt/QtText.h"

namespace ui::qt {

WidgetBinding::WidgetBinding(Control& model, QWidget* widget) : Binding(model), widget_(widget) {
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
        case Property::Geometry: {
            const Rect& g = c.geometry();
            widget_->setGeometry(g.left, g.top, g.width, g.height);
            break;
        }
        case Property::FontSize: {
            // Geometry is in pixels at 96 dpi, so the type is sized the same way to keep
            // captions fitting their controls whatever the screen's dpi.
            QFont font = widget_->font();
            font.setPixelSize(static_cast<int>(std::lround(c.fontSize() * 96.0 / 72.0)));
            widget_->setFont(font);
            break;
        }
        default:
            break;
    }
}

bool WidgetBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget_ && attached()) {
        if (event->type() == QEvent::KeyPress && control().onKeyDown) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const int code = virtualKeyCode(key->key(), key->modifiers());
            if (code != 0) {
                const auto handler = control().onKeyDown;
                handler(code, shiftMask(key->modifiers()));
            }
        } else if (event->type() == QEvent::FocusIn) {
            focusIn();
        }
    }
    return false;
}

}  // namespace ui::qt
