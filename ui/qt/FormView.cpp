#include "ui/qt/FormView.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <map>
#include <stdexcept>

#include "ui/qt/Binding.h"
#include "ui/qt/MenuBindings.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/QtText.h"

namespace ui::qt {

// The top-level window; closing it is the desktop's decision, so the close box only asks.
class FormWindow : public QWidget {
public:
    explicit FormWindow(FormView& view) : view_(view) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (view_.onCloseRequest) {
            view_.onCloseRequest();
        }
    }

private:
    FormView& view_;
};

namespace {

// The client area: the form's background picture stretched over it.
class ClientArea : public QWidget {
public:
    ClientArea(QPixmap background, QWidget* parent)
        : QWidget(parent), background_(std::move(background)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (!background_.isNull()) {
            QPainter(this).drawPixmap(rect(), background_);
        }
    }

private:
    QPixmap background_;
};

bool takesFocus(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::Button ||
           kind == ControlKind::CheckBox || kind == ControlKind::ListBox;
}

bool hasMenus(const Form& form) {
    return std::any_of(form.controls().begin(), form.controls().end(),
                       [](const auto& control) { return control->kind() == ControlKind::Menu; });
}

}  // namespace

FormView::FormView(Form& form, Role role, const std::function<bool(const std::string&)>& openUrl)
    : form_(form), window_(std::make_unique<FormWindow>(*this)) {
    window_->setObjectName(toQString(form.name()));
    window_->setWindowTitle(toQString(form.caption));
    const Qt::WindowFlags decoration = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    window_->setWindowFlags(role == Role::Main
                                ? Qt::Window | decoration | Qt::WindowMinimizeButtonHint
                                : Qt::Dialog | decoration);

    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (hasMenus(form)) {
        auto* bar = new QMenuBar(window_.get());
        bar->setObjectName(QStringLiteral("menuBar"));
        layout->setMenuBar(bar);
        bindings_ = makeMenuBindings(form, *bar);
    }
    auto* client = new ClientArea(picture(form.backgroundPicture), window_.get());
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(form.clientWidth, form.clientHeight);
    layout->addWidget(client);

    addControls(*client, openUrl);
    for (const auto& binding : bindings_) {
        binding->attach();
    }
    setTabOrder();
}

FormView::~FormView() {
    for (const auto& binding : bindings_) {
        binding->detach();
    }
}

QWidget& FormView::window() const {
    return *window_;
}

void FormView::addControls(QWidget& client,
                           const std::function<bool(const std::string&)>& openUrl) {
    // Frames come first, so that the controls inside them are made their children.
    std::map<std::string, QWidget*> frames;
    for (const auto& control : form_.controls()) {
        if (control->kind() == ControlKind::Frame) {
            bindings_.push_back(makeWidgetBinding(*control, {&client, openUrl}));
            frames[control->name()] = bindings_.back()->widget();
        }
    }
    for (const auto& control : form_.controls()) {
        const ControlKind kind = control->kind();
        if (kind == ControlKind::Timer) {
            bindings_.push_back(makeTimerBinding(*control));
        } else if (kind != ControlKind::Frame && kind != ControlKind::Menu &&
                   kind != ControlKind::MenuItem) {
            QWidget* parent = &client;
            if (!control->parentName().empty()) {
                const auto frame = frames.find(control->parentName());
                if (frame == frames.end()) {
                    throw std::logic_error("control " + control->name() + " of " + form_.name() +
                                           " names no frame " + control->parentName());
                }
                parent = frame->second;
            }
            bindings_.push_back(makeWidgetBinding(*control, {parent, openUrl}));
        }
    }
}

// Focus moves by Tab in ascending tab index; a control without one takes focus only when
// clicked. The first control of the order has the focus when the window opens.
void FormView::setTabOrder() {
    std::vector<const Binding*> chain;
    for (const auto& binding : bindings_) {
        QWidget* widget = binding->widget();
        if (widget == nullptr) {
            continue;
        }
        if (!takesFocus(binding->control().kind())) {
            widget->setFocusPolicy(Qt::NoFocus);
        } else if (binding->control().tabIndex() < 0) {
            widget->setFocusPolicy(Qt::ClickFocus);
        } else {
            widget->setFocusPolicy(Qt::StrongFocus);
            chain.push_back(binding.get());
        }
    }
    std::stable_sort(chain.begin(), chain.end(), [](const Binding* a, const Binding* b) {
        return a->control().tabIndex() < b->control().tabIndex();
    });
    for (std::size_t i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1]->widget(), chain[i]->widget());
    }
    const auto first = std::find_if(chain.begin(), chain.end(), [](const Binding* binding) {
        return binding->control().enabled() && binding->control().visible();
    });
    if (first != chain.end()) {
        (*first)->widget()->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace ui::qt
