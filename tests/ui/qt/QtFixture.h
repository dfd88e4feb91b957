#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "ui/Desktop.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/QtBackend.h"

namespace ui::qt::testing {

// A Qt backend on the offscreen platform.
std::unique_ptr<Backend> offscreenBackend();

// Qt must not carry an exception through its event loop; one fails the test instead.
void guarded(const std::function<void()>& step);

// A desktop on the offscreen Qt backend for each test.
class QtFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { desktop_.reset(); }

    Desktop& desktop() { return *desktop_; }
    QtBackend& backend() { return static_cast<QtBackend&>(desktop_->backend()); }

    // Loads and shows the form modelessly and returns its window once it is on the screen.
    FormWindow& shown(Form& form);
    // Calls check while a modal box or dialog that code opens after this is shown, once it is
    // the topmost modal window other than except.
    static void whenModalShown(const std::function<void(QWidget& modal)>& check,
                               const QWidget* except = nullptr);

private:
    std::unique_ptr<Desktop> desktop_;
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
