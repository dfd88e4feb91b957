#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>

#include "ui/Backend.h"
#include "ui/Control.h"

class QWidget;

namespace ui::qt {

// What the window offers the bindings of its controls.
struct BindingContext {
    Form& form;
    BackendHost& host;
    QWidget* parent = nullptr;  // the client area or the frame the control lies in
};

// Mirrors one control of the model onto Qt and reports the user's actions to the host.
// attach() makes it the control's observer and applies every property; detach() ends that
// before the widgets go, and from then on nothing reaches the model or the host, so a form
// and its widgets may be destroyed in either order.
class Binding : public QObject {
public:
    Binding(Control& model, const BindingContext& context);
    ~Binding() override;
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    void attach();
    virtual void detach();

    Control& control() const { return control_; }
    // The widget standing for the control in the client area; none for menus and timers.
    virtual QWidget* widget() const { return nullptr; }

protected:
    virtual void apply(Property property) = 0;
    bool attached() const { return attached_; }

    // Tells the host of a user's action while attached. The host may refuse it (a control
    // beneath a modal window), so the property it touched is shown from the model again.
    template <class Action>
    void report(Action action, std::optional<Property> shownAgain = std::nullopt) {
        if (!attached_) {
            return;
        }
        action(host_, form_, control_);
        if (attached_ && shownAgain) {
            apply(*shownAgain);
        }
    }

private:
    Control& control_;
    Form& form_;
    BackendHost& host_;
    bool attached_ = false;
};

// The binding for a control shown as a widget (every kind but menus, menu items and timers),
// with its widget made a child of context.parent.
std::unique_ptr<Binding> makeWidgetBinding(Control& control, const BindingContext& context);
std::unique_ptr<Binding> makeTextBoxBinding(Control& control, const BindingContext& context);
std::unique_ptr<Binding> makeAnimationBinding(Control& control, const BindingContext& context);
std::unique_ptr<Binding> makeTimerBinding(Control& control, const BindingContext& context);

}  // namespace ui::qt
