#pragma once

#include "ui/qt/Binding.h"

namespace ui::qt {

// A binding whose control is a widget. It mirrors what every widget shares (enabled,
// visible, geometry, font, background) and tells the host when the widget takes the focus.
class WidgetBinding : public Binding {
public:
    WidgetBinding(Control& model, const BindingContext& context, QWidget* widget);
    QWidget* widget() const override { return widget_; }

protected:
    void apply(Property property) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    virtual void focusIn();
    // Where the control's back colour goes: behind a caption (with the back style), into a
    // box one types in or picks from, or nowhere for widgets that keep their own look.
    enum class Background { Caption, Box, None };
    virtual Background background() const { return Background::Caption; }
    // A left click released over the widget.
    static bool isClick(const QEvent& event, const QWidget& widget);

private:
    QWidget* widget_;
};

}  // namespace ui::qt
