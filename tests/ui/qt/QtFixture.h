#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "ui/qt/QtDesktop.h"

namespace ui::qt::testing {

// A Qt desktop on the offscreen platform for each test.
class QtFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { desktop_.reset(); }

    QtDesktop& desktop() { return *desktop_; }

    // Runs the form and calls check with its window once the event loop runs; then quits
    // with code 77, so the returned code tells whether run() ended the way the test meant.
    int runChecking(Form& form, const std::function<void(QWidget& window)>& check);
    // Calls check while a modal box or dialog that code opens after this is shown, once it is
    // the topmost modal window other than except.
    static void whenModalShown(const std::function<void(QWidget& modal)>& check,
                               const QWidget* except = nullptr);
    // Calls step once the event loop runs.
    static void later(const std::function<void()>& step);

    static constexpr int kChecksDone = 77;

private:
    std::unique_ptr<QtDesktop> desktop_;
};

// The widget of a control, found by its name; throws when it is missing or of another type.
template <class W>
W& child(const QWidget& window, const std::string& name) {
    W* found = window.findChild<W*>(QString::fromStdString(name));
    if (found == nullptr) {
        throw std::runtime_error("no widget " + name + " of the expected type");
    }
    return *found;
}

}  // namespace ui::qt::testing
