#include "tests/ui/qt/QtFixture.h"

#include <QApplication>
#include <QTimer>

namespace ui::qt::testing {
namespace {

char programName[] = "sumora_ui_qt_tests";
char* arguments[] = {programName, nullptr};
int argumentCount = 1;

// Qt must not carry an exception through its event loop; a failed lookup fails the test.
void guarded(const std::function<void()>& check) {
    try {
        check();
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
}

}  // namespace

void QtFixture::SetUp() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    desktop_ = std::make_unique<QtDesktop>(argumentCount, arguments);
}

int QtFixture::runChecking(Form& form, const std::function<void(QWidget& window)>& check) {
    QTimer::singleShot(0, [&] {
        if (QWidget* window = desktop().widgetFor(form)) {
            guarded([&] { check(*window); });
        } else {
            ADD_FAILURE() << "form " << form.name() << " has no window while it runs";
        }
        desktop().quit(kChecksDone);
    });
    return desktop().run(form);
}

void QtFixture::whenModalShown(const std::function<void(QWidget& modal)>& check,
                               const QWidget* except) {
    // Polls, as the box is built by a call that has not begun yet.
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, check, except] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != except) {
            poll->stop();
            poll->deleteLater();
            guarded([&] { check(*modal); });
        }
    });
    poll->start(10);
}

void QtFixture::later(const std::function<void()>& step) {
    QTimer::singleShot(0, [step] { guarded(step); });
}

}  // namespace ui::qt::testing
