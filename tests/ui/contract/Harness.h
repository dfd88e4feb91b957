#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/Desktop.h"

namespace ui::contract {

// One backend under the contract suite: its desktop, the user's actions as that backend
// receives them, and what its windows show.
class Harness {
public:
    virtual ~Harness() = default;

    virtual Desktop& desktop() = 0;

    // Runs step in the event loop once the form is shown, modally or by run().
    virtual void whenShown(Form& form, std::function<void()> step) = 0;

    virtual void click(Form& form, const std::string& control) = 0;
    // Replaces the text of a text box as typing would.
    virtual void type(Form& form, const std::string& control, const std::string& text) = 0;
    virtual void toggle(Form& form, const std::string& checkBox) = 0;
    virtual void choose(Form& form, const std::string& listBox, int index) = 0;
    // A key pressed while the named control ("" for none) has the focus.
    virtual void pressKey(Form& form, const std::string& focus, int keyCode) = 0;
    virtual void clickForm(Form& form) = 0;
    virtual void closeBox(Form& form) = 0;

    // Lets time pass without handling events (the clock moves, timers fall due).
    virtual void passTime(int milliseconds) = 0;

    // What the window shows.
    virtual std::string windowCaption(Form& form) = 0;
    virtual std::optional<Point> windowPosition(Form& form) = 0;  // twips
    virtual std::string shownText(Form& form, const std::string& control) = 0;
};

using HarnessFactory = std::unique_ptr<Harness> (*)();

// The contract suite; each backend's test program instantiates it with its harness.
class Contract : public ::testing::TestWithParam<HarnessFactory> {
protected:
    void SetUp() override { harness_ = GetParam()(); }
    Harness& harness() { return *harness_; }
    Desktop& desktop() { return harness_->desktop(); }

private:
    std::unique_ptr<Harness> harness_;
};

}  // namespace ui::contract
