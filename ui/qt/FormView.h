#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"

class QWidget;

namespace ui::qt {

class Binding;
class FormWindow;

// The window of a form while it is shown: a fixed-size top-level widget with the menu bar
// above a client area of exactly the form's size, which shows the background picture and a
// widget for every control, each bound to the model. Destroying the view detaches every
// binding first, so the form outlives it unharmed.
class FormView {
public:
    enum class Role { Main, Dialog };

    FormView(Form& form, Role role, const std::function<bool(const std::string&)>& openUrl);
    ~FormView();
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;

    Form& form() const { return form_; }
    QWidget& window() const;

    // The user asked to close the window (its close box); the window stays until destroyed.
    std::function<void()> onCloseRequest;

private:
    void addControls(QWidget& client, const std::function<bool(const std::string&)>& openUrl);
    void setTabOrder();

    Form& form_;
    std::vector<std::unique_ptr<Binding>> bindings_;
    std::unique_ptr<FormWindow> window_;  // declared last: its widgets go before the bindings
};

}  // namespace ui::qt
