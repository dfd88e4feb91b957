#include <gtest/gtest.h>

#include <map>

#include "tests/ui/contract/Harness.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace ui::contract {
namespace {

class ScriptedHarness final : public Harness {
public:
    ScriptedHarness() {
        desktop_.whileShown = [this](Form& form) {
            const auto found = steps_.find(&form);
            if (found != steps_.end()) {
                const auto step = found->second;
                steps_.erase(found);
                step();
            }
        };
    }

    Desktop& desktop() override { return desktop_; }
    void whenShown(Form& form, std::function<void()> step) override {
        steps_[&form] = std::move(step);
    }
    void click(Form& form, const std::string& control) override { desktop_.click(form, control); }
    void type(Form& form, const std::string& control, const std::string& text) override {
        desktop_.type(form, control, text);
    }
    void toggle(Form& form, const std::string& checkBox) override {
        desktop_.setValue(form, checkBox, form.control(checkBox).value() == 0 ? 1 : 0);
    }
    void choose(Form& form, const std::string& listBox, int index) override {
        desktop_.choose(form, listBox, index);
    }
    void pressKey(Form& form, const std::string& focus, int keyCode) override {
        desktop_.pressKey(form, focus, keyCode);
    }
    void clickForm(Form& form) override { desktop_.clickForm(form); }
    void closeBox(Form& form) override { desktop_.closeBox(form); }
    void passTime(int milliseconds) override { desktop_.clock.advance(milliseconds / 1000.0); }
    std::string windowCaption(Form& form) override { return form.caption(); }
    std::optional<Point> windowPosition(Form& form) override { return form.position(); }
    std::string shownText(Form& form, const std::string& control) override {
        return form.control(control).text();
    }

private:
    ScriptedDesktop desktop_;
    std::map<const Form*, std::function<void()>> steps_;
};

std::unique_ptr<Harness> makeScripted() {
    return std::make_unique<ScriptedHarness>();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Backend, Contract, ::testing::Values(&makeScripted),
                         [](const auto&) { return std::string("Scripted"); });

}  // namespace ui::contract
