#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "ui/Desktop.h"

class QApplication;
class QTranslator;
class QWidget;

namespace ui {

namespace qt {
class FormView;
}

// Real windows through Qt Widgets. The desktop owns the QApplication, so it must be the only
// one in the process and live as long as Qt is used; argc and argv must outlive it.
class QtDesktop final : public Desktop {
public:
    QtDesktop(int& argc, char** argv);
    ~QtDesktop() override;
    QtDesktop(const QtDesktop&) = delete;
    QtDesktop& operator=(const QtDesktop&) = delete;

    bool canShowWindows() const override { return true; }
    MessageResult messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& title) override;
    bool showOpen(CommonDialog& dialog) override;
    int run(Form& mainForm) override;
    void showModal(Form& form) override;
    void closeForm(Form& form) override;
    void quit(int exitCode) override;
    void doEvents() override;
    float secondsSinceMidnight() override;
    Date today() override;
    int screenWidthTwips() const override;
    int screenHeightTwips() const override;
    int twipsPerPixel() const override;
    bool openUrl(const std::string& url) override;

    // The top-level window of a form while it is shown, else nullptr. Its widgets carry the
    // names of their controls as object names; the client area is the child "client" and
    // the menu bar "menuBar".
    QWidget* widgetFor(const Form& form) const;

private:
    struct Shown;

    Shown& open(Form& form, bool main);
    void close(Form& form);
    Shown* find(const Form& form) const;
    void userCloses(Form& form);
    QWidget* topWindow() const;

    std::unique_ptr<QApplication> app_;
    std::unique_ptr<QTranslator> translator_;
    std::vector<std::unique_ptr<Shown>> shown_;
    std::optional<int> quitCode_;
};

// The Qt desktop, or nullptr when there is no display to show windows on. The offscreen
// platform (QT_QPA_PLATFORM=offscreen) counts as a display.
std::unique_ptr<Desktop> makeQtDesktop(int& argc, char** argv);

}  // namespace ui
