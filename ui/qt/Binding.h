#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "ui/Control.h"

class QWidget;

namespace ui::qt {

// Mirrors one control of the model onto Qt and reports the user's actions back. attach()
// makes it the control's observer and applies every property; detach() ends that before the
// widgets go, and from then on nothing reaches the model, so a form and its widgets may be
// destroyed in either order.
class Binding : public QObject {
public:
    explicit Binding(Control& model) : control_(model) {}
    ~Binding() override;
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    void attach();
    void detach();

    Control& control() const { return control_; }
    // The widget standing for the control in the client area; none for menus and timers.
    virtual QWidget* widget() const { return nullptr; }

protected:
    virtual void apply(Property property) = 0;
    bool attached() const { return attached_; }
    // Calls a handler of the model while attached.
    void fire(const std::function<void()>& handler) const;

private:
    Control& control_;
    bool attached_ = false;
};

// What the window offers the bindings of its controls.
struct BindingContext {
    QWidget* client = nullptr;
    std::function<bool(const std::string& url)> openUrl;
};

// The binding for a control shown as a widget in the client area (every kind but menus,
// menu items and timers), with its widget made a child of context.client.
std::unique_ptr<Binding> makeWidgetBinding(Control& control, const BindingContext& context);
std::unique_ptr<Binding> makeTextBoxBinding(Control& control, const BindingContext& context);
std::unique_ptr<Binding> makeTimerBinding(Control& control);

}  // namespace ui::qt
