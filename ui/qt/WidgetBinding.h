#pragma once

#include "ui/qt/Binding.h"

namespace ui::qt {

// A binding whose control is a widget of the client area. It mirrors what every widget
// shares (enabled, visible, geometry, font size) and reports key presses to onKeyDown.
class WidgetBinding : public Binding {
public:
    WidgetBinding(Control& model, QWidget* widget);
    QWidget* widget() const override { return widget_; }

protected:
    void apply(Property property) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    virtual void focusIn() {}

private:
    QWidget* widget_;
};

}  // namespace ui::qt
