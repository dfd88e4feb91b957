#include "ui/qt/MenuBindings.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <map>
#include <stdexcept>

#include "ui/qt/QtText.h"

namespace ui::qt {
namespace {

void applyToAction(QAction& action, const Control& control, Property property) {
    switch (property) {
        case Property::Text: {
            // A separator carries no text: some styles draw a separator's text beside the line.
            const bool separator = control.text() == "-";
            action.setSeparator(separator);
            action.setText(separator ? QString() : toQString(control.text()));
            break;
        }
        case Property::Enabled:
            action.setEnabled(control.enabled());
            break;
        case Property::Visible:
            action.setVisible(control.visible());
            break;
        default:
            break;
    }
}

void reportClick(BackendHost& host, Form& form, Control& control) {
    host.userClicked(form, control);
}

// A menu is clicked when it opens, before its items are shown.
class MenuBinding : public Binding {
public:
    MenuBinding(Control& model, const BindingContext& context, QMenu* menu)
        : Binding(model, context), menu_(menu) {
        menu_->setObjectName(toQString(model.name()));
        QObject::connect(menu_, &QMenu::aboutToShow, this, [this] { report(reportClick); });
    }

protected:
    void apply(Property property) override {
        if (property == Property::Text) {
            menu_->setTitle(toQString(control().text()));
        } else {
            applyToAction(*menu_->menuAction(), control(), property);
        }
    }

private:
    QMenu* menu_;
};

class MenuItemBinding : public Binding {
public:
    MenuItemBinding(Control& model, const BindingContext& context, QAction* action)
        : Binding(model, context), action_(action) {
        action_->setObjectName(toQString(model.name()));
        QObject::connect(action_, &QAction::triggered, this, [this] { report(reportClick); });
    }

protected:
    void apply(Property property) override { applyToAction(*action_, control(), property); }

private:
    QAction* action_;
};

}  // namespace

std::vector<std::unique_ptr<Binding>> makeMenuBindings(const BindingContext& context,
                                                       QMenuBar& bar) {
    const Form& form = context.form;
    std::vector<std::unique_ptr<Binding>> bindings;
    std::map<std::string, QMenu*> menus;
    const auto parentMenu = [&](const Control& control) {
        const auto found = menus.find(control.parentName());
        if (found == menus.end()) {
            throw std::logic_error("menu " + control.name() + " of " + form.name() +
                                   " names no menu " + control.parentName() + " before it");
        }
        return found->second;
    };
    for (const auto& control : form.controls()) {
        if (control->kind() == ControlKind::Menu) {
            QMenu* menu = control->parentName().empty() ? bar.addMenu(QString())
                                                        : parentMenu(*control)->addMenu(QString());
            menus[control->name()] = menu;
            bindings.push_back(std::make_unique<MenuBinding>(*control, context, menu));
        } else if (control->kind() == ControlKind::MenuItem) {
            QAction* action = parentMenu(*control)->addAction(QString());
            bindings.push_back(std::make_unique<MenuItemBinding>(*control, context, action));
        }
    }
    return bindings;
}

}  // namespace ui::qt
