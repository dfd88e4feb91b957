#include <QLineEdit>
#include <QTimer>

#include "ui/Utf8.h"
#include "ui/qt/Looks.h"
#include "ui/qt/QtText.h"
#include "ui/qt/WidgetBinding.h"

namespace ui::qt {
namespace {

// A single-line box. Text and selection go both ways; the model counts in code points, Qt in
// UTF-16 units.
class TextBoxBinding : public WidgetBinding {
public:
    TextBoxBinding(Control& model, const BindingContext& context)
        : TextBoxBinding(model, context, new QLineEdit(context.parent)) {}

protected:
    void apply(Property property) override {
        WidgetBinding::apply(property);
        if (property == Property::Text) {
            applying_ = true;
            edit_->setText(toQString(control().text()));
            applying_ = false;
            applySelection();
        } else if (property == Property::Alignment) {
            edit_->setAlignment(qtAlignment(control().alignment()) | Qt::AlignVCenter);
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

    Background background() const override { return Background::Box; }

    void focusIn() override {
        inFocusIn_ = true;
        WidgetBinding::focusIn();
        inFocusIn_ = false;
    }

private:
    TextBoxBinding(Control& model, const BindingContext& context, QLineEdit* edit)
        : WidgetBinding(model, context, edit), edit_(edit) {
        QObject::connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
            report([typed = toUtf8(text)](BackendHost& host, Form& form, Control& c) {
                host.userChangedText(form, c, typed);
            });
            if (attached() && control().text() != toUtf8(edit_->text())) {
                apply(Property::Text);
            }
            readSelection();
        });
        QObject::connect(edit_, &QLineEdit::selectionChanged, this, [this] { readSelection(); });
        QObject::connect(edit_, &QLineEdit::cursorPositionChanged, this,
                         [this] { readSelection(); });
    }

    void applySelection() {
        const std::string& text = control().text();
        const int start = utf16IndexOfCodePoint(text, control().selStart());
        const int end = utf16IndexOfCodePoint(text, control().selStart() + control().selLength());
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
        const std::string text = toUtf8(edit_->text());
        const bool selected = edit_->hasSelectedText();
        const int start = selected ? edit_->selectionStart() : edit_->cursorPosition();
        const int end = selected ? edit_->selectionEnd() : start;
        const int first = codePointOfUtf16Index(text, start);
        control().userSetsSelection(first, codePointOfUtf16Index(text, end) - first);
    }

    QLineEdit* edit_;
    bool applying_ = false;
    bool inFocusIn_ = false;
};

}  // namespace

std::unique_ptr<Binding> makeTextBoxBinding(Control& control, const BindingContext& context) {
    return std::make_unique<TextBoxBinding>(control, context);
}

}  // namespace ui::qt
