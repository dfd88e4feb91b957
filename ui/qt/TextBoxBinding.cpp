#include <QLineEdit>
#include <QTimer>

#include "ui/qt/QtText.h"
#include "ui/qt/WidgetBinding.h"

namespace ui::qt {
namespace {

// A single-line box. Text and selection go both ways; the model counts in code points.
class TextBoxBinding : public WidgetBinding {
public:
    TextBoxBinding(Control& model, QWidget* parent)
        : TextBoxBinding(model, new QLineEdit(parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Text) {
            applying_ = true;
            edit_->setText(toQString(control().text()));
            applying_ = false;
            applySelection();
        } else if (property == Property::Selection) {
            applySelection();
            // QLineEdit selects on its own after the focus event (all on Tab, the caret on a
            // click), so a selection made by the focus handler is made again after it.
            if (inFocusIn_) {
                const int start = control().selStart();
                const int length = control().selLength();
                QTimer::singleShot(0, edit_, [this, start, length] {
                    if (attached()) {
                        control().userSetsSelection(start, length);
                        applySelection();
                    }
                });
            }
        }
    }

    void focusIn() override {
        inFocusIn_ = true;
        fire(control().onGotFocus);
        inFocusIn_ = false;
    }

private:
    TextBoxBinding(Control& model, QLineEdit* edit) : WidgetBinding(model, edit), edit_(edit) {
        QObject::connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (attached()) {
                control().userSetsText(toUtf8(text));
                readSelection();
            }
        });
        QObject::connect(edit_, &QLineEdit::selectionChanged, this, [this] { readSelection(); });
        QObject::connect(edit_, &QLineEdit::cursorPositionChanged, this,
                         [this] { readSelection(); });
    }

    void applySelection() {
        const QString text = edit_->text();
        const int start = utf16Index(text, control().selStart());
        const int end = utf16Index(text, control().selStart() + control().selLength());
        applying_ = true;
        if (end > start) {
            edit_->setSelection(start, end - start);
        } else {
            edit_->setCursorPosition(start);
        }
        applying_ = false;
    }

    void readSelection() {
        if (!attached() || applying_) {
            return;
        }
        const QString text = edit_->text();
        const bool selected = edit_->hasSelectedText();
        const int start = selected ? edit_->selectionStart() : edit_->cursorPosition();
        const int end = selected ? edit_->selectionEnd() : start;
        const int first = codePointIndex(text, start);
        control().userSetsSelection(first, codePointIndex(text, end) - first);
    }

    QLineEdit* edit_;
    bool applying_ = false;
    bool inFocusIn_ = false;
};

}  // namespace

std::unique_ptr<Binding> makeTextBoxBinding(Control& control, const BindingContext& context) {
    return std::make_unique<TextBoxBinding>(control, context.client);
}

}  // namespace ui::qt
