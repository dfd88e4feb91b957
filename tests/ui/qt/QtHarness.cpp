#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <map>
#include <thread>

#include "tests/ui/contract/Harness.h"
#include "tests/ui/qt/QtFixture.h"

namespace ui::contract {
namespace {

using qt::FormWindow;

// The user's part played on the real widgets with QTest.
class QtHarness final : public Harness {
public:
    QtHarness() : desktop_([] { return qt::testing::offscreenBackend(); }) {
        // Qt starts now, so the polls below have an application to run in.
        desktop_.backend();
    }

    Desktop& desktop() override { return desktop_; }

    // Each form has a poll of its own: a timer is not called again while its step runs.
    void whenShown(Form& form, std::function<void()> step) override {
        auto& poll = *polls_.emplace_back(std::make_unique<QTimer>());
        QObject::connect(&poll, &QTimer::timeout, [this, &poll, &form, step] {
            const FormWindow* window = backend().windowOf(form);
            if (window != nullptr && window->isVisible() && window->windowHandle() != nullptr &&
                window->windowHandle()->isExposed()) {
                poll.stop();
                qt::testing::guarded(step);
            }
        });
        poll.start(5);
    }

    void click(Form& form, const std::string& control) override {
        QWidget& widget = widgetOf(form, control);
        QTest::mouseClick(&widget, Qt::LeftButton, {}, widget.rect().center());
    }

    void type(Form& form, const std::string& control, const std::string& text) override {
        auto& edit = dynamic_cast<QLineEdit&>(widgetOf(form, control));
        edit.setFocus();
        edit.selectAll();
        QTest::keyClicks(&edit, QString::fromStdString(text));
    }

    void toggle(Form& form, const std::string& checkBox) override {
        QWidget& box = widgetOf(form, checkBox);
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
    }

    void choose(Form& form, const std::string& listBox, int index) override {
        auto& list = dynamic_cast<QListWidget&>(widgetOf(form, listBox));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(index)).center());
    }

    void pressKey(Form& form, const std::string& focus, int keyCode) override {
        QWidget& target =
            focus.empty() ? static_cast<QWidget&>(windowOf(form)) : widgetOf(form, focus);
        target.setFocus();
        QTest::keyClick(&target, qtKey(keyCode));
    }

    void clickForm(Form& form) override {
        QWidget& client = windowOf(form).client();
        for (int y = 1; y < client.height(); y += 4) {
            for (int x = 1; x < client.width(); x += 4) {
                if (client.childAt(x, y) == nullptr) {
                    QTest::mouseClick(&client, Qt::LeftButton, {}, QPoint(x, y));
                    return;
                }
            }
        }
        ADD_FAILURE() << "no background to click on " << form.name();
    }

    void closeBox(Form& form) override { windowOf(form).close(); }

    void passTime(int milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }

    std::string windowCaption(Form& form) override {
        return windowOf(form).windowTitle().toStdString();
    }

    std::optional<Point> windowPosition(Form& form) override {
        const QPoint at = windowOf(form).pos();
        return Point{static_cast<double>(at.x() * kTwipsPerDesignPixel),
                     static_cast<double>(at.y() * kTwipsPerDesignPixel)};
    }

    std::string shownText(Form& form, const std::string& control) override {
        QWidget& widget = widgetOf(form, control);
        if (const auto* edit = qobject_cast<QLineEdit*>(&widget)) {
            return edit->text().toStdString();
        }
        if (const auto* label = qobject_cast<QLabel*>(&widget)) {
            return label->text().toStdString();
        }
        if (const auto* button = qobject_cast<QAbstractButton*>(&widget)) {
            return button->text().toStdString();
        }
        if (const auto* frame = qobject_cast<QGroupBox*>(&widget)) {
            return frame->title().toStdString();
        }
        throw std::logic_error(control + " shows no text");
    }

private:
    QtBackend& backend() { return static_cast<QtBackend&>(desktop_.backend()); }

    FormWindow& windowOf(Form& form) {
        FormWindow* window = backend().windowOf(form);
        if (window == nullptr) {
            throw std::logic_error(form.name() + " has no window");
        }
        return *window;
    }

    QWidget& widgetOf(Form& form, const std::string& control) {
        QWidget* widget = windowOf(form).widgetOf(form.control(control));
        if (widget == nullptr) {
            throw std::logic_error(control + " has no widget");
        }
        return *widget;
    }

    static Qt::Key qtKey(int keyCode) {
        switch (keyCode) {
            case 13:
                return Qt::Key_Return;
            case 27:
                return Qt::Key_Escape;
            default:
                break;
        }
        if (keyCode >= 'A' && keyCode <= 'Z') {
            return static_cast<Qt::Key>(Qt::Key_A + (keyCode - 'A'));
        }
        throw std::logic_error("no Qt key for key code " + std::to_string(keyCode));
    }

    Desktop desktop_;
    std::vector<std::unique_ptr<QTimer>> polls_;
};

std::unique_ptr<Harness> makeQt() {
    return std::make_unique<QtHarness>();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Backend, Contract, ::testing::Values(&makeQt),
                         [](const auto&) { return std::string("Qt"); });

}  // namespace ui::contract
