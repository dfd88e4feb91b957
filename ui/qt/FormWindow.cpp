#include "ui/qt/FormWindow.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <map>
#include <stdexcept>

#include "ui/qt/Binding.h"
#include "ui/qt/Looks.h"
#include "ui/qt/MenuBindings.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/QtText.h"

namespace ui::qt {

// The client area: the form's background picture stretched over it; a click on the
// background itself, not on a control, is the form's.
class ClientArea : public QWidget {
public:
    ClientArea(QPixmap background, QWidget* parent)
        : QWidget(parent), background_(std::move(background)) {}

    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!background_.isNull()) {
            QPainter(this).drawPixmap(rect(), background_);
        }
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        if (event->button() == Qt::LeftButton && rect().contains(at) && childAt(at) == nullptr &&
            onClick) {
            onClick();
        }
    }

private:
    QPixmap background_;
};

namespace {

bool takesFocus(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::Button ||
           kind == ControlKind::CheckBox || kind == ControlKind::ListBox;
}

QRegion roundRect(const RoundRectRegion& region) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, region.width, region.height), region.ellipseWidth / 2.0,
                        region.ellipseHeight / 2.0);
    return QRegion(path.toFillPolygon().toPolygon());
}

}  // namespace

FormWindow::FormWindow(Form& form, BackendHost& host)
    : form_(form), host_(host), client_(new ClientArea(picture(form.backgroundPicture()), this)) {
    setObjectName(toQString(form.name()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (form.hasMenuBar()) {
        auto* bar = new QMenuBar(this);
        bar->setObjectName(QStringLiteral("menuBar"));
        // The bar belongs to the window on every system, never to a global menu.
        bar->setNativeMenuBar(false);
        layout->setMenuBar(bar);
        bindings_ = makeMenuBindings({form_, host_, this}, *bar);
    }
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(pixels(form.clientWidth()), pixels(form.clientHeight()));
    client_->onClick = [this] {
        if (attached_) {
            host_.userClickedForm(form_);
        }
    };
    layout->addWidget(client_);

    addControls();
    for (const auto& binding : bindings_) {
        binding->attach();
    }
    setTabOrder();
    form_.observer = [this](Form&, FormProperty property) { apply(property); };
    for (const FormProperty property :
         {FormProperty::Caption, FormProperty::Position, FormProperty::BorderStyle,
          FormProperty::Icon, FormProperty::BackColor, FormProperty::Region}) {
        apply(property);
    }
}

FormWindow::~FormWindow() {
    detach();
}

QWidget& FormWindow::client() const {
    return *client_;
}

void FormWindow::detach() {
    if (!attached_) {
        return;
    }
    attached_ = false;
    form_.observer = nullptr;
    for (const auto& binding : bindings_) {
        binding->detach();
    }
    hide();
}

void FormWindow::showOnScreen() {
    onScreen_ = true;
    apply(FormProperty::Visible);
}

void FormWindow::apply(FormProperty property) {
    switch (property) {
        case FormProperty::Caption:
            setWindowTitle(toQString(form_.caption()));
            break;
        case FormProperty::Position:
            if (const auto& position = form_.position()) {
                move(pixels(position->left), pixels(position->top));
            }
            break;
        case FormProperty::Visible:
            if (onScreen_ && form_.visible()) {
                show();
                raise();
                activateWindow();
            } else {
                hide();
            }
            break;
        case FormProperty::BorderStyle:
            applyBorderStyle();
            break;
        case FormProperty::Icon:
            setWindowIcon(QIcon(picture(form_.icon())));
            break;
        case FormProperty::BackColor:
            paintBackground(*client_, BackStyle::Opaque, form_.backColor());
            break;
        case FormProperty::Region:
            if (const auto& region = form_.region()) {
                setMask(roundRect(*region));
            } else {
                clearMask();
            }
            break;
    }
}

void FormWindow::applyBorderStyle() {
    const Qt::WindowFlags titled = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    Qt::WindowFlags flags;
    switch (form_.borderStyle()) {
        case BorderStyle::Sizable:
            flags = Qt::Window | titled | Qt::WindowMinMaxButtonsHint;
            break;
        case BorderStyle::FixedDialog:
            flags = Qt::Dialog | titled;
            break;
        case BorderStyle::None:
            flags = Qt::Window | Qt::FramelessWindowHint;
            break;
    }
    // New flags hide a shown window; it comes back as it was.
    const bool shown = isVisible();
    setWindowFlags(flags);
    if (shown) {
        show();
    }
}

void FormWindow::addControls() {
    // Frames come first, so that the controls inside them are made their children.
    std::map<std::string, QWidget*> frames;
    for (const auto& control : form_.controls()) {
        if (control->kind() == ControlKind::Frame) {
            bindings_.push_back(makeWidgetBinding(*control, {form_, host_, client_}));
            frames[control->name()] = bindings_.back()->widget();
        }
    }
    for (const auto& control : form_.controls()) {
        const ControlKind kind = control->kind();
        if (kind == ControlKind::Timer) {
            bindings_.push_back(makeTimerBinding(*control, {form_, host_, nullptr}));
        } else if (kind != ControlKind::Frame && kind != ControlKind::Menu &&
                   kind != ControlKind::MenuItem) {
            QWidget* parent = client_;
            if (!control->parentName().empty()) {
                const auto frame = frames.find(control->parentName());
                if (frame == frames.end()) {
                    throw std::logic_error("control " + control->name() + " of " + form_.name() +
                                           " names no frame " + control->parentName());
                }
                parent = frame->second;
            }
            bindings_.push_back(makeWidgetBinding(*control, {form_, host_, parent}));
        }
    }
}

// Focus moves by Tab in ascending tab index; a control without one takes focus only when
// clicked. The first control of the order has the focus when the window opens.
void FormWindow::setTabOrder() {
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
    const auto first = std::find_if(chain.begin(), chain.end(), [this](const Binding* binding) {
        return binding->control().enabled() && form_.showsControl(binding->control());
    });
    if (first != chain.end()) {
        (*first)->widget()->setFocus(Qt::OtherFocusReason);
    }
}

Control* FormWindow::controlOf(const QWidget* widget) const {
    for (const QWidget* at = widget; at != nullptr && at != this; at = at->parentWidget()) {
        for (const auto& binding : bindings_) {
            if (binding->widget() == at) {
                return &binding->control();
            }
        }
    }
    return nullptr;
}

QWidget* FormWindow::widgetOf(const Control& control) const {
    for (const auto& binding : bindings_) {
        if (&binding->control() == &control) {
            return binding->widget();
        }
    }
    return nullptr;
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // Closing is the shared layer's decision: it unloads the form, which destroys the window.
    event->ignore();
    if (attached_) {
        host_.userClosed(form_);
    }
}

}  // namespace ui::qt
