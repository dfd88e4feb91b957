#pragma once

#include <functional>
#include <memory>

#include "ui/Desktop.h"

namespace ui {

// Starts the real desktop only when a window or box is first needed, so an unattended run
// never pays for a toolkit it does not use. The clock needs no toolkit.
class LazyDesktop : public Desktop {
public:
    using Factory = std::function<std::unique_ptr<Desktop>()>;
    explicit LazyDesktop(Factory factory) : factory_(std::move(factory)) {}

    bool canShowWindows() const override { return real().canShowWindows(); }
    MessageResult messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& title) override {
        return real().messageBox(text, buttons, icon, title);
    }
    bool showOpen(CommonDialog& dialog) override { return real().showOpen(dialog); }
    int run(Form& mainForm) override { return real().run(mainForm); }
    void showModal(Form& form) override { real().showModal(form); }
    void closeForm(Form& form) override {
        if (real_) {
            real_->closeForm(form);
        }
    }
    void quit(int exitCode) override {
        if (real_) {
            real_->quit(exitCode);
        }
    }
    void doEvents() override {
        if (real_) {
            real_->doEvents();
        }
    }
    float secondsSinceMidnight() override;
    Date today() override;
    int screenWidthTwips() const override { return real().screenWidthTwips(); }
    int screenHeightTwips() const override { return real().screenHeightTwips(); }
    int twipsPerPixel() const override { return real().twipsPerPixel(); }
    bool openUrl(const std::string& url) override { return real().openUrl(url); }

private:
    Desktop& real() const {
        if (!real_) {
            real_ = factory_();
        }
        return *real_;
    }

    Factory factory_;
    mutable std::unique_ptr<Desktop> real_;
};

}  // namespace ui
