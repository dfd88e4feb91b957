#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <limits>
#include <stdexcept>

#include "ui/qt/Looks.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/QtText.h"
#include "ui/qt/WidgetBinding.h"

namespace ui::qt {
namespace {

QLabel* newLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// Labels, pictures and hyperlink labels: a left click on them is theirs, not the form's.
class ClickableBinding : public WidgetBinding {
public:
    ClickableBinding(Control& model, const BindingContext& context, QLabel* label)
        : WidgetBinding(model, context, label), label_(label) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_) {
            if (isClick(*event, *label_)) {
                report([](BackendHost& host, Form& form, Control& control) {
                    host.userClicked(form, control);
                });
                return true;
            }
            if (event->type() == QEvent::MouseButtonPress ||
                event->type() == QEvent::MouseButtonRelease) {
                return true;
            }
        }
        return WidgetBinding::eventFilter(watched, event);
    }

    QLabel& label() const { return *label_; }

private:
    QLabel* label_;
};

// A caption that wraps within the label, or widens an auto-sized one.
class LabelBinding : public ClickableBinding {
public:
    LabelBinding(Control& model, const BindingContext& context)
        : ClickableBinding(model, context, newLabel(context.parent)) {
        label().setWordWrap(!model.autoSize());
    }

protected:
    void apply(Property property) override {
        ClickableBinding::apply(property);
        if (property == Property::Text) {
            label().setText(withoutAccessKeys(control().text()));
        } else if (property == Property::Alignment) {
            label().setAlignment(qtAlignment(control().alignment()) | Qt::AlignTop);
        }
        if (control().autoSize() && (property == Property::Text || property == Property::Geometry ||
                                     property == Property::Font)) {
            const QRect geometry = pixelRect(control().geometry());
            label().resize(std::max(geometry.width(), label().sizeHint().width()),
                           geometry.height());
        }
    }
};

// A caption in link style, or its picture instead when it has one; the host opens the
// address when it is clicked.
class HyperLinkBinding : public ClickableBinding {
public:
    HyperLinkBinding(Control& model, const BindingContext& context)
        : ClickableBinding(model, context, newLabel(context.parent)) {
        QPalette palette = label().palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
        label().setPalette(palette);
        label().setCursor(Qt::PointingHandCursor);
    }

protected:
    void apply(Property property) override {
        ClickableBinding::apply(property);
        if (property == Property::Font) {
            QFont font = label().font();
            font.setUnderline(true);
            label().setFont(font);
        } else if (property == Property::Alignment) {
            label().setAlignment(qtAlignment(control().alignment()) | Qt::AlignTop);
        } else if (property == Property::Text || property == Property::Picture) {
            const QPixmap shown = picture(control().picture());
            if (shown.isNull()) {
                label().setText(toQString(control().text()));
            } else {
                label().setPixmap(shown);
            }
        }
    }
};

// Pictures show their resource at its own size from the top left, as a picture box does.
class PictureBinding : public ClickableBinding {
public:
    PictureBinding(Control& model, const BindingContext& context)
        : ClickableBinding(model, context, newLabel(context.parent)) {}

protected:
    void apply(Property property) override {
        ClickableBinding::apply(property);
        if (property == Property::Picture) {
            label().setPixmap(picture(control().picture()));
        }
    }
};

class ButtonBinding : public WidgetBinding {
public:
    ButtonBinding(Control& model, const BindingContext& context)
        : ButtonBinding(model, context, new QPushButton(context.parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Text) {
            button_->setText(toQString(control().text()));
        }
    }
    Background background() const override { return Background::None; }

private:
    ButtonBinding(Control& model, const BindingContext& context, QPushButton* button)
        : WidgetBinding(model, context, button), button_(button) {
        // The shared layer presses the default and cancel buttons; a button of Qt's own would
        // press itself on Enter too.
        button_->setAutoDefault(false);
        button_->setDefault(false);
        QObject::connect(button_, &QPushButton::clicked, this, [this] {
            report([](BackendHost& host, Form& form, Control& c) { host.userClicked(form, c); });
        });
    }

    QPushButton* button_;
};

class CheckBoxBinding : public WidgetBinding {
public:
    CheckBoxBinding(Control& model, const BindingContext& context)
        : CheckBoxBinding(model, context, new QCheckBox(context.parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Text || property == Property::Geometry ||
            property == Property::Font) {
            const int indicator = box_->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                                  box_->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
            box_->setText(wrappedToWidth(toQString(control().text()), box_->fontMetrics(),
                                         pixelRect(control().geometry()).width() - indicator));
        } else if (property == Property::Value) {
            const std::int64_t value = control().value();
            box_->setCheckState(value == 0   ? Qt::Unchecked
                                : value == 1 ? Qt::Checked
                                             : Qt::PartiallyChecked);
        }
    }

private:
    CheckBoxBinding(Control& model, const BindingContext& context, QCheckBox* box)
        : WidgetBinding(model, context, box), box_(box) {
        // clicked, unlike toggled, comes only from the user, so code's changes do not echo.
        QObject::connect(box_, &QCheckBox::clicked, this, [this](bool checked) {
            report([checked](BackendHost& host, Form& form,
                             Control& c) { host.userChangedValue(form, c, checked ? 1 : 0); },
                   Property::Value);
        });
    }

    QCheckBox* box_;
};

class ListBoxBinding : public WidgetBinding {
public:
    ListBoxBinding(Control& model, const BindingContext& context)
        : ListBoxBinding(model, context, new QListWidget(context.parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property != Property::Items && property != Property::ListIndex) {
            return;
        }
        applying_ = true;
        if (property == Property::Items) {
            list_->clear();
            for (const std::string& item : control().items()) {
                list_->addItem(toQString(item));
            }
        }
        list_->setCurrentRow(control().listIndex());
        if (control().listIndex() < 0) {
            list_->clearSelection();
        }
        applying_ = false;
    }
    Background background() const override { return Background::Box; }

private:
    ListBoxBinding(Control& model, const BindingContext& context, QListWidget* list)
        : WidgetBinding(model, context, list), list_(list) {
        QObject::connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
            if (!applying_) {
                report([row](BackendHost& host, Form& form,
                             Control& c) { host.userChangedListIndex(form, c, row); },
                       Property::ListIndex);
            }
        });
    }

    QListWidget* list_;
    bool applying_ = false;
};

class FrameBinding : public WidgetBinding {
public:
    FrameBinding(Control& model, const BindingContext& context)
        : FrameBinding(model, context, new QGroupBox(context.parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Text) {
            frame_->setTitle(toQString(control().text()));
        }
    }

private:
    FrameBinding(Control& model, const BindingContext& context, QGroupBox* frame)
        : WidgetBinding(model, context, frame), frame_(frame) {}

    QGroupBox* frame_;
};

// QProgressBar counts in int; larger amounts (bytes of a big file) are scaled down to fit.
class ProgressBarBinding : public WidgetBinding {
public:
    ProgressBarBinding(Control& model, const BindingContext& context)
        : ProgressBarBinding(model, context, new QProgressBar(context.parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Maximum || property == Property::Value) {
            constexpr std::int64_t kLargest = std::numeric_limits<int>::max();
            const std::int64_t maximum = std::max<std::int64_t>(0, control().maximum());
            const std::int64_t scale = maximum / kLargest + 1;
            // QProgressBar ignores a value outside its range instead of showing the nearest.
            const std::int64_t value = std::clamp<std::int64_t>(control().value(), 0, maximum);
            bar_->setRange(0, static_cast<int>(maximum / scale));
            bar_->setValue(static_cast<int>(value / scale));
        }
    }
    Background background() const override { return Background::None; }

private:
    ProgressBarBinding(Control& model, const BindingContext& context, QProgressBar* bar)
        : WidgetBinding(model, context, bar), bar_(bar) {
        bar_->setTextVisible(false);
    }

    QProgressBar* bar_;
};

}  // namespace

std::unique_ptr<Binding> makeWidgetBinding(Control& control, const BindingContext& context) {
    switch (control.kind()) {
        case ControlKind::Label:
            return std::make_unique<LabelBinding>(control, context);
        case ControlKind::HyperLink:
            return std::make_unique<HyperLinkBinding>(control, context);
        case ControlKind::TextBox:
            return makeTextBoxBinding(control, context);
        case ControlKind::Button:
            return std::make_unique<ButtonBinding>(control, context);
        case ControlKind::CheckBox:
            return std::make_unique<CheckBoxBinding>(control, context);
        case ControlKind::ListBox:
            return std::make_unique<ListBoxBinding>(control, context);
        case ControlKind::Frame:
            return std::make_unique<FrameBinding>(control, context);
        case ControlKind::Picture:
            return std::make_unique<PictureBinding>(control, context);
        case ControlKind::Animation:
            return makeAnimationBinding(control, context);
        case ControlKind::ProgressBar:
            return std::make_unique<ProgressBarBinding>(control, context);
        case ControlKind::Timer:
        case ControlKind::Menu:
        case ControlKind::MenuItem:
            break;
    }
    throw std::logic_error("control " + control.name() + " is not shown as a widget");
}

}  // namespace ui::qt
