#include "ui/qt/QtDesktop.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTime>
#include <QTranslator>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "ui/qt/FormView.h"
#include "ui/qt/MessageBox.h"
#include "ui/qt/OpenFileDialog.h"
#include "ui/qt/QtText.h"

namespace ui {

struct QtDesktop::Shown {
    std::unique_ptr<qt::FormView> view;
    bool main = false;
    bool closing = false;
    QEventLoop* loop = nullptr;  // a dialog's own loop while it runs
};

QtDesktop::QtDesktop(int& argc, char** argv)
    : app_(std::make_unique<QApplication>(argc, argv)),
      translator_(std::make_unique<QTranslator>()) {
    // Windows close when the program says so, not when the last one goes.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own captions (dialog buttons) in the user's language, as the system's would be.
    if (translator_->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator_.get());
    }
}

QtDesktop::~QtDesktop() = default;

MessageResult QtDesktop::messageBox(const std::string& text, MessageButtons buttons,
                                    MessageIcon icon, const std::string& title) {
    return qt::showMessageBox(text, buttons, icon, title, topWindow());
}

bool QtDesktop::showOpen(CommonDialog& dialog) {
    return qt::showOpenFileDialog(dialog, topWindow());
}

int QtDesktop::run(Form& mainForm) {
    // quit() before the loop runs ends the program before the window is shown.
    if (!quitCode_ && find(mainForm) == nullptr) {
        open(mainForm, true).view->window().show();
        const int code = QApplication::exec();
        close(mainForm);
        quitCode_ = quitCode_.value_or(code);
    }
    const int code = quitCode_.value_or(0);
    quitCode_.reset();
    return code;
}

void QtDesktop::showModal(Form& form) {
    if (quitCode_ || find(form) != nullptr) {
        return;
    }
    QWidget* owner = topWindow();
    Shown& shown = open(form, false);
    QWidget& window = shown.view->window();
    window.setWindowModality(Qt::ApplicationModal);
    // Kept above the window it was opened from, without that window owning it; winId()
    // creates the native window that carries the link.
    if (owner != nullptr && owner->windowHandle() != nullptr) {
        window.winId();
        window.windowHandle()->setTransientParent(owner->windowHandle());
    }
    window.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        window.move(area.x() + (area.width() - window.width()) / 2,
                    area.y() + (area.height() - window.height()) / 2);
    }
    window.show();
    if (!shown.closing) {
        QEventLoop loop;
        shown.loop = &loop;
        loop.exec(QEventLoop::DialogExec);
        shown.loop = nullptr;
    }
    close(form);
}

void QtDesktop::closeForm(Form& form) {
    Shown* shown = find(form);
    if (shown == nullptr || shown->closing) {
        return;
    }
    shown->closing = true;
    shown->view->window().hide();
    if (shown->main) {
        QCoreApplication::exit(0);
    } else if (shown->loop != nullptr) {
        shown->loop->exit(0);
    }
}

void QtDesktop::quit(int exitCode) {
    // The program ends with the first code; code that still runs while the loops unwind
    // cannot change it.
    if (!quitCode_) {
        quitCode_ = exitCode;
    }
    // Ends the main loop and every dialog's loop nested in it.
    QCoreApplication::exit(*quitCode_);
}

void QtDesktop::doEvents() {
    QCoreApplication::processEvents();
}

float QtDesktop::secondsSinceMidnight() {
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
}

Date QtDesktop::today() {
    const QDate date = QDate::currentDate();
    return {date.year(), date.month(), date.day()};
}

int QtDesktop::screenWidthTwips() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size().width() * twipsPerPixel() : 0;
}

int QtDesktop::screenHeightTwips() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size().height() * twipsPerPixel() : 0;
}

int QtDesktop::twipsPerPixel() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 0.0;
    return dpi > 0.0 ? static_cast<int>(std::lround(1440.0 / dpi)) : 15;
}

bool QtDesktop::openUrl(const std::string& url) {
    const QUrl target = QUrl::fromUserInput(qt::toQString(url));
    return target.isValid() && QDesktopServices::openUrl(target);
}

QWidget* QtDesktop::widgetFor(const Form& form) const {
    const Shown* shown = find(form);
    return shown != nullptr ? &shown->view->window() : nullptr;
}

QtDesktop::Shown& QtDesktop::open(Form& form, bool main) {
    auto shown = std::make_unique<Shown>();
    shown->main = main;
    shown->view = std::make_unique<qt::FormView>(
        form, main ? qt::FormView::Role::Main : qt::FormView::Role::Dialog,
        [this](const std::string& url) { return openUrl(url); });
    shown->view->onCloseRequest = [this, &form] { userCloses(form); };
    return *shown_.emplace_back(std::move(shown));
}

void QtDesktop::close(Form& form) {
    shown_.erase(
        std::remove_if(shown_.begin(), shown_.end(),
                       [&form](const auto& shown) { return &shown->view->form() == &form; }),
        shown_.end());
}

QtDesktop::Shown* QtDesktop::find(const Form& form) const {
    const auto found = std::find_if(shown_.begin(), shown_.end(), [&form](const auto& shown) {
        return &shown->view->form() == &form;
    });
    return found != shown_.end() ? found->get() : nullptr;
}

void QtDesktop::userCloses(Form& form) {
    if (form.onClosed) {
        const auto handler = form.onClosed;
        handler();
    }
    closeForm(form);
}

QWidget* QtDesktop::topWindow() const {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return shown_.empty() ? nullptr : &shown_.back()->view->window();
}

namespace {

bool displayNamed() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    // Qt aborts when it cannot open a platform, so without any named there is no attempt.
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

std::unique_ptr<Desktop> makeQtDesktop(int& argc, char** argv) {
    if (!displayNamed()) {
        return nullptr;
    }
    return std::make_unique<QtDesktop>(argc, argv);
}

}  // namespace ui
