#include "ui/qt/QtBackend.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>
#include <QUrl>
#include <QWindow>
#include <algorithm>

#include "ui/qt/DisplayProbe.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/KeyCodes.h"
#include "ui/qt/MessageBox.h"
#include "ui/qt/OpenFileDialog.h"
#include "ui/qt/QtText.h"

namespace ui {

// Sees every key press once, at its original receiver: a key a widget ignores travels on to
// its parents, and a filter on them would see it again at each.
class QtBackend::Application : public QApplication {
public:
    Application(int& argc, char** argv, QtBackend& backend)
        : QApplication(argc, argv), backend_(backend) {}

    bool notify(QObject* receiver, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && receiver->isWidgetType()) {
            backend_.keyPressed(*static_cast<QWidget*>(receiver), *static_cast<QKeyEvent*>(event));
        }
        return QApplication::notify(receiver, event);
    }

private:
    QtBackend& backend_;
};

QtBackend::QtBackend(int& argc, char** argv)
    : app_(std::make_unique<Application>(argc, argv, *this)),
      translator_(std::make_unique<QTranslator>()) {
    // Windows close when the program says so, not when the last one goes.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own captions (dialog buttons) in the user's language, as the system's would be.
    if (translator_->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator_.get());
    }
}

QtBackend::~QtBackend() {
    windows_.clear();
    // Windows destroyed while their events ran wait for deletion; it happens before Qt ends.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

MessageResult QtBackend::messageBox(const std::string& text, MessageButtons buttons,
                                    MessageIcon icon, const std::string& title) {
    return qt::showMessageBox(text, buttons, icon, title, topWindow(nullptr));
}

std::optional<std::string> QtBackend::openFile(const FileDialogRequest& request) {
    return qt::showOpenFileDialog(request, topWindow(nullptr));
}

void QtBackend::createWindow(Form& form, bool /*main*/) {
    windows_.push_back(std::make_unique<qt::FormWindow>(form, host()));
}

void QtBackend::destroyWindow(Form& form) {
    const auto found = std::find_if(windows_.begin(), windows_.end(), [&form](const auto& window) {
        return &window->form() == &form;
    });
    if (found == windows_.end()) {
        return;
    }
    std::unique_ptr<qt::FormWindow> window = std::move(*found);
    windows_.erase(found);
    window->detach();
    // The form may unload from an event of its own window, which must outlive that event.
    window.release()->deleteLater();
}

void QtBackend::showWindow(Form& form, bool modal) {
    qt::FormWindow* window = windowOf(form);
    if (window == nullptr) {
        return;
    }
    if (modal) {
        window->setWindowModality(Qt::ApplicationModal);
        // Kept above the window it was opened from, without that window owning it; winId()
        // creates the native window that carries the link.
        if (const QWidget* owner = topWindow(window); owner && owner->windowHandle()) {
            window->winId();
            window->windowHandle()->setTransientParent(owner->windowHandle());
        }
    }
    window->showOnScreen();
}

void QtBackend::runLoop(Form& /*form*/, const std::function<bool()>& done) {
    QEventLoop loop;
    loops_.push_back({&loop, &done});
    while (!done()) {
        loop.exec(QEventLoop::DialogExec);
    }
    loops_.erase(std::find_if(loops_.begin(), loops_.end(),
                              [&loop](const Loop& entry) { return entry.loop == &loop; }));
}

void QtBackend::wake() {
    // An outer loop told to end returns once the loops inside it have.
    for (const Loop& entry : loops_) {
        if ((*entry.done)()) {
            entry.loop->exit();
        }
    }
}

void QtBackend::processEvents() {
    QCoreApplication::processEvents();
}

ScreenMetrics QtBackend::screen() const {
    ScreenMetrics metrics;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        // Qt's logical pixels stand for the design's pixels at 96 dpi.
        metrics.widthTwips = primary->size().width() * kTwipsPerDesignPixel;
        metrics.heightTwips = primary->size().height() * kTwipsPerDesignPixel;
    }
    return metrics;
}

bool QtBackend::openUrl(const std::string& url) {
    const QUrl target = QUrl::fromUserInput(qt::toQString(url));
    return target.isValid() && QDesktopServices::openUrl(target);
}

qt::FormWindow* QtBackend::windowOf(const Form& form) const {
    const auto found = std::find_if(windows_.begin(), windows_.end(), [&form](const auto& window) {
        return &window->form() == &form;
    });
    return found != windows_.end() ? found->get() : nullptr;
}

void QtBackend::keyPressed(QWidget& receiver, const QKeyEvent& key) {
    const int code = qt::virtualKeyCode(key.key(), key.modifiers());
    if (code == 0) {
        return;
    }
    const QWidget* top = receiver.window();
    for (const auto& window : windows_) {
        if (window.get() == top) {
            qt::FormWindow& shown = *window;
            host().userPressedKey(shown.form(), shown.controlOf(&receiver), code,
                                  qt::shiftMask(key.modifiers()));
            return;
        }
    }
}

// The window a box or dialog belongs over: the active modal one, else the one shown last.
QWidget* QtBackend::topWindow(const QWidget* except) const {
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != except) {
        return modal;
    }
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if (it->get() != except && (*it)->isVisible()) {
            return it->get();
        }
    }
    return nullptr;
}

std::unique_ptr<Backend> makeQtBackend(int& argc, char** argv) {
    const std::string platform = qt::reachablePlatform();
    if (platform.empty()) {
        return nullptr;
    }
    qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platform));
    return std::make_unique<QtBackend>(argc, argv);
}

}  // namespace ui
