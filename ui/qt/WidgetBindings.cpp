#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <stdexcept>

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

// Labels lie over the form's background; a long caption wraps within the label, or widens
// an auto-sized one.
class LabelBinding : public WidgetBinding {
public:
    LabelBinding(Control& model, QWidget* parent) : LabelBinding(model, newLabel(parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Text) {
            label_->setText(withoutAccessKeys(control().text()));
        }
        if (control().autoSize() && (property == Property::Text || property == Property::Geometry ||
                                     property == Property::FontSize)) {
            const Rect& geometry = control().geometry();
            label_->resize(std::max(geometry.width, label_->sizeHint().width()), geometry.height);
        }
    }

private:
    LabelBinding(Control& model, QLabel* label) : WidgetBinding(model, label), label_(label) {
        label_->setWordWrap(!model.autoSize());
    }

    QLabel* label_;
};

// A caption in link style that opens its address when clicked.
class HyperLinkBinding : public WidgetBinding {
public:
    HyperLinkBinding(Control& model, const BindingContext& context)
        : HyperLinkBinding(model, newLabel(context.client), context.openUrl) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Text) {
            label_->setText(toQString(control().text()));
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::MouseButtonRelease && attached()) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && label_->rect().contains(mouse->pos())) {
                if (openUrl_ && !control().url().empty()) {
                    openUrl_(control().url());
                }
                fire(control().onClick);
            }
        }
        return WidgetBinding::eventFilter(watched, event);
    }

private:
    HyperLinkBinding(Control& model, QLabel* label, std::function<bool(const std::string&)> openUrl)
        : WidgetBinding(model, label), label_(label), openUrl_(std::move(openUrl)) {
        QPalette palette = label_->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
        label_->setPalette(palette);
        QFont font = label_->font();
        font.setUnderline(true);
        label_->setFont(font);
        label_->setCursor(Qt::PointingHandCursor);
    }

    QLabel* label_;
    std::function<bool(const std::string&)> openUrl_;
};

class ButtonBinding : public WidgetBinding {
public:
    ButtonBinding(Control& model, QWidget* parent)
        : ButtonBinding(model, new QPushButton(parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Text) {
            button_->setText(toQString(control().text()));
        }
    }

private:
    ButtonBinding(Control& model, QPushButton* button)
        : WidgetBinding(model, button), button_(button) {
        button_->setAutoDefault(false);
        QObject::connect(button_, &QPushButton::clicked, this, [this] { fire(control().onClick); });
    }

    QPushButton* button_;
};

class CheckBoxBinding : public WidgetBinding {
public:
    CheckBoxBinding(Control& model, QWidget* parent)
        : CheckBoxBinding(model, new QCheckBox(parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Text) {
            box_->setText(toQString(control().text()));
        } else if (property == Property::Value) {
            const int value = control().value();
            box_->setCheckState(value == 0   ? Qt::Unchecked
                                : value == 1 ? Qt::Checked
                                             : Qt::PartiallyChecked);
        }
    }

private:
    CheckBoxBinding(Control& model, QCheckBox* box) : WidgetBinding(model, box), box_(box) {
        // clicked, unlike toggled, comes only from the user, so code's changes do not echo.
        QObject::connect(box_, &QCheckBox::clicked, this, [this](bool checked) {
            if (attached()) {
                control().userSetsValue(checked ? 1 : 0);
            }
        });
    }

    QCheckBox* box_;
};

class ListBoxBinding : public WidgetBinding {
public:
    ListBoxBinding(Control& model, QWidget* parent)
        : ListBoxBinding(model, new QListWidget(parent)) {}

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

private:
    ListBoxBinding(Control& model, QListWidget* list) : WidgetBinding(model, list), list_(list) {
        QObject::connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
            if (attached() && !applying_) {
                control().userSetsListIndex(row);
                fire(control().onClick);
            }
        });
    }

    QListWidget* list_;
    bool applying_ = false;
};

class FrameBinding : public WidgetBinding {
public:
    FrameBinding(Control& model, QWidget* parent) : FrameBinding(model, new QGroupBox(parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Text) {
            frame_->setTitle(toQString(control().text()));
        }
    }

private:
    FrameBinding(Control& model, QGroupBox* frame) : WidgetBinding(model, frame), frame_(frame) {}

    QGroupBox* frame_;
};

// Pictures show their resource at its own size from the top left, as a picture box does.
class PictureBinding : public WidgetBinding {
public:
    PictureBinding(Control& model, QWidget* parent) : PictureBinding(model, newLabel(parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Picture) {
            label_->setPixmap(picture(control().picture()));
        }
    }

private:
    PictureBinding(Control& model, QLabel* label) : WidgetBinding(model, label), label_(label) {}

    QLabel* label_;
};

// Holds the place of an animation player; it shows nothing.
class AnimationBinding : public WidgetBinding {
public:
    AnimationBinding(Control& model, QWidget* parent) : WidgetBinding(model, newLabel(parent)) {}
};

class ProgressBarBinding : public WidgetBinding {
public:
    ProgressBarBinding(Control& model, QWidget* parent)
        : ProgressBarBinding(model, new QProgressBar(parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Maximum || property == Property::Value) {
            // QProgressBar ignores a value outside its range instead of showing the nearest.
            const int maximum = std::max(0, control().maximum());
            bar_->setRange(0, maximum);
            bar_->setValue(std::clamp(control().value(), 0, maximum));
        }
    }

private:
    ProgressBarBinding(Control& model, QProgressBar* bar) : WidgetBinding(model, bar), bar_(bar) {
        bar_->setTextVisible(false);
    }

    QProgressBar* bar_;
};

}  // namespace

std::unique_ptr<Binding> makeWidgetBinding(Control& control, const BindingContext& context) {
    QWidget* parent = context.client;
    switch (control.kind()) {
        case ControlKind::Label:
            return std::make_unique<LabelBinding>(control, parent);
        case ControlKind::HyperLink:
            return std::make_unique<HyperLinkBinding>(control, context);
        case ControlKind::TextBox:
            return makeTextBoxBinding(control, context);
        case ControlKind::Button:
            return std::make_unique<ButtonBinding>(control, parent);
        case ControlKind::CheckBox:
            return std::make_unique<CheckBoxBinding>(control, parent);
        case ControlKind::ListBox:
            return std::make_unique<ListBoxBinding>(control, parent);
        case ControlKind::Frame:
            return std::make_unique<FrameBinding>(control, parent);
        case ControlKind::Picture:
            return std::make_unique<PictureBinding>(control, parent);
        case ControlKind::Animation:
            return std::make_unique<AnimationBinding>(control, parent);
        case ControlKind::ProgressBar:
            return std::make_unique<ProgressBarBinding>(control, parent);
        case ControlKind::Timer:
        case ControlKind::Menu:
        case ControlKind::MenuItem:
            break;
    }
    throw std::logic_error("control " + control.name() + " is not shown as a widget");
}

}  // namespace ui::qt
