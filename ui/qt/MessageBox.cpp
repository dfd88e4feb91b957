#include "ui/qt/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

#include "ui/qt/QtText.h"

namespace ui::qt {
namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct Choice {
    QMessageBox::StandardButton button;
    MessageResult result;
};

struct ButtonSet {
    Choice positive;  // the default
    Choice negative;  // Esc
};

ButtonSet buttonSet(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return {{QMessageBox::Yes, MessageResult::Yes}, {QMessageBox::No, MessageResult::No}};
        case MessageButtons::RetryCancel:
            return {{QMessageBox::Retry, MessageResult::Retry},
                    {QMessageBox::Cancel, MessageResult::Cancel}};
        case MessageButtons::Ok:
            break;
    }
    return {{QMessageBox::Ok, MessageResult::Ok}, {QMessageBox::Ok, MessageResult::Ok}};
}

}  // namespace

MessageResult showMessageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& title, QWidget* parent) {
    QString body = toQString(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(qtIcon(icon), toQString(title), body, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    const ButtonSet set = buttonSet(buttons);
    QPushButton* positive = box.addButton(set.positive.button);
    QPushButton* negative =
        set.negative.button == set.positive.button ? positive : box.addButton(set.negative.button);
    box.setDefaultButton(positive);
    box.setEscapeButton(negative);
    box.exec();
    return box.clickedButton() == positive && positive != negative ? set.positive.result
                                                                   : set.negative.result;
}

}  // namespace ui::qt
