#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "ui/Backend.h"
#include "ui/Form.h"

namespace ui::qt {

class Binding;
class ClientArea;

// The top-level window of a form: the menu bar above a client area of exactly the form's
// client size, which shows the back colour, the background picture and a widget for every
// control, each kept in step with the model. The user's actions go to the host. Its widgets
// carry the names of their controls as object names; the client area is "client" and the
// menu bar "menuBar".
class FormWindow : public QWidget {
public:
    FormWindow(Form& form, BackendHost& host);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    Form& form() const { return form_; }
    QWidget& client() const;

    // Shows the window from now on whenever the form is visible.
    void showOnScreen();
    // Ends the mirror and the reports before the window goes; it hides at once.
    void detach();

    // The control whose widget is or holds the widget, or nullptr for the form itself.
    Control* controlOf(const QWidget* widget) const;
    QWidget* widgetOf(const Control& control) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void apply(FormProperty property);
    void applyBorderStyle();
    void addControls();
    void setTabOrder();

    Form& form_;
    BackendHost& host_;
    ClientArea* client_;
    bool attached_ = true;
    bool onScreen_ = false;
    std::vector<std::unique_ptr<Binding>> bindings_;
};

}  // namespace ui::qt
