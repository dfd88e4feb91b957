#include "tests/ui/qt/QtFixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace ui::qt::testing {
namespace {

char programName[] = "sumora_ui_qt_tests";
char* arguments[] = {programName, nullptr};
int argumentCount = 1;

}  // namespace

std::unique_ptr<Backend> offscreenBackend() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return makeQtBackend(argumentCount, arguments);
}

void guarded(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
}

void QtFixture::SetUp() {
    desktop_ = std::make_unique<Desktop>([] { return offscreenBackend(); });
    ASSERT_TRUE(desktop_->canShowWindows());
}

FormWindow& QtFixture::shown(Form& form) {
    desktop().show(form);
    FormWindow* window = backend().windowOf(form);
    if (window == nullptr) {
        throw std::runtime_error("form " + form.name() + " has no window");
    }
    if (!QTest::qWaitForWindowExposed(window)) {
        throw std::runtime_error("form " + form.name() + " is not exposed");
    }
    return *window;
}

void QtFixture::whenModalShown(const std::function<void(QWidget& modal)>& check,
                               const QWidget* except) {
    // Polls, as the box is built by a call that has not begun yet.
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, check, except] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != except && modal->isVisible()) {
            poll->stop();
            poll->deleteLater();
            guarded([&] { check(*modal); });
        }
    });
    poll->start(10);
}

}  // namespace ui::qt::testing
