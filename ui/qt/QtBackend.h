#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Backend.h"

class QEventLoop;
class QKeyEvent;
class QTranslator;
class QWidget;

namespace ui {

namespace qt {
class FormWindow;
}

// Real windows through Qt Widgets. The backend owns the QApplication, so it must be the only
// one in the process and live as long as Qt is used; argc and argv must outlive it.
class QtBackend final : public Backend {
public:
    QtBackend(int& argc, char** argv);
    ~QtBackend() override;
    QtBackend(const QtBackend&) = delete;
    QtBackend& operator=(const QtBackend&) = delete;

    bool canShowWindows() const override { return true; }
    MessageResult messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& title) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    void createWindow(Form& form, bool main) override;
    void destroyWindow(Form& form) override;
    void showWindow(Form& form, bool modal) override;
    void runLoop(Form& form, const std::function<bool()>& done) override;
    void wake() override;
    void processEvents() override;
    ScreenMetrics screen() const override;
    bool openUrl(const std::string& url) override;

    // The window of a form while it has one, else nullptr.
    qt::FormWindow* windowOf(const Form& form) const;

private:
    class Application;
    struct Loop {
        QEventLoop* loop;
        const std::function<bool()>* done;
    };

    void keyPressed(QWidget& receiver, const QKeyEvent& key);
    QWidget* topWindow(const QWidget* except) const;

    std::unique_ptr<Application> app_;
    std::unique_ptr<QTranslator> translator_;
    std::vector<std::unique_ptr<qt::FormWindow>> windows_;
    std::vector<Loop> loops_;
};

// The Qt backend, or nullptr when there is no display to show windows on. The offscreen
// platform (QT_QPA_PLATFORM=offscreen) counts as a display.
std::unique_ptr<Backend> makeQtBackend(int& argc, char** argv);

}  // namespace ui
