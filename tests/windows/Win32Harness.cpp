#include <windows.h>

#include <map>
#include <stdexcept>

#include "platform/windows/Wide.h"
#include "tests/ui/contract/Harness.h"
#include "tests/windows/FormWindows.h"
#include "ui/win32/Win32Backend.h"

namespace ui::contract {
namespace {

LPARAM pointParam(int x, int y) {
    return MAKELPARAM(x, y);
}

// The user's part played on the real windows with the messages the system sends them.
class Win32Harness final : public Harness {
public:
    Win32Harness() : desktop_([] { return makeWin32Backend(); }) {
        if (!desktop_.canShowWindows()) {
            throw std::runtime_error("no display: run this inside a virtual one");
        }
        current_ = this;
    }
    ~Win32Harness() override {
        for (const auto& [id, poll] : polls_) {
            ::KillTimer(nullptr, id);
        }
        current_ = nullptr;
    }

    Desktop& desktop() override { return desktop_; }

    // A thread timer polls for the window; it is killed before its step runs, so a step that
    // handles events does not run again.
    void whenShown(Form& form, std::function<void()> step) override {
        const UINT_PTR id = ::SetTimer(nullptr, 0, 5, &Win32Harness::poll);
        polls_[id] = {&form, std::move(step)};
    }

    void click(Form& form, const std::string& control) override {
        const HWND target = controlWindow(form, control);
        if (!reachable(target)) {
            return;
        }
        const ControlKind kind = form.control(control).kind();
        if (kind == ControlKind::Button || kind == ControlKind::CheckBox) {
            ::SendMessageW(target, BM_CLICK, 0, 0);
            return;
        }
        RECT client{};
        ::GetClientRect(target, &client);
        press(target, client.right / 2, client.bottom / 2);
    }

    // The characters as the keyboard delivers them, over the selected old text.
    void type(Form& form, const std::string& control, const std::string& text) override {
        const HWND edit = controlWindow(form, control);
        if (!reachable(edit)) {
            return;
        }
        ::SetFocus(edit);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        for (const wchar_t character : platform::widen(text)) {
            ::SendMessageW(edit, WM_CHAR, character, 1);
        }
    }

    void toggle(Form& form, const std::string& checkBox) override { click(form, checkBox); }

    void choose(Form& form, const std::string& listBox, int index) override {
        const HWND list = controlWindow(form, listBox);
        if (!reachable(list)) {
            return;
        }
        RECT item{};
        ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&item));
        press(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    }

    // Keys come through the message loop, where the backend sees them first.
    void pressKey(Form& form, const std::string& focus, int keyCode) override {
        const HWND target = focus.empty() ? formWindow(form) : controlWindow(form, focus);
        ::SetFocus(target);
        ::PostMessageW(target, WM_KEYDOWN, static_cast<WPARAM>(keyCode), 1);
        ::PostMessageW(target, WM_KEYUP, static_cast<WPARAM>(keyCode), 0xC0000001);
        desktop_.backend().processEvents();
    }

    void clickForm(Form& form) override {
        const HWND window = formWindow(form);
        if (!reachable(window)) {
            return;
        }
        RECT client{};
        ::GetClientRect(window, &client);
        for (int y = 1; y < client.bottom; y += 4) {
            for (int x = 1; x < client.right; x += 4) {
                if (::ChildWindowFromPointEx(window, POINT{x, y}, CWP_SKIPINVISIBLE) == window) {
                    press(window, x, y);
                    return;
                }
            }
        }
        ADD_FAILURE() << "no background to click on " << form.name();
    }

    void closeBox(Form& form) override {
        ::SendMessageW(formWindow(form), WM_SYSCOMMAND, SC_CLOSE, 0);
    }

    void passTime(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }

    std::string windowCaption(Form& form) override {
        return platform::narrow(testing_support::textOf(formWindow(form)));
    }

    std::optional<Point> windowPosition(Form& form) override {
        RECT outer{};
        ::GetWindowRect(formWindow(form), &outer);
        const ScreenMetrics screen = desktop_.screen();
        return Point{outer.left * screen.twipsPerPixelX, outer.top * screen.twipsPerPixelY};
    }

    std::string shownText(Form& form, const std::string& control) override {
        return platform::narrow(testing_support::textOf(controlWindow(form, control)));
    }

private:
    struct Poll {
        Form* form = nullptr;
        std::function<void()> step;
    };

    static void CALLBACK poll(HWND, UINT, UINT_PTR id, DWORD) {
        Win32Harness* harness = current_;
        if (harness == nullptr || !harness->polls_.contains(id)) {
            ::KillTimer(nullptr, id);
            return;
        }
        const auto found = harness->polls_.find(id);
        const HWND window = testing_support::windowOf(*found->second.form);
        if (window == nullptr || !::IsWindowVisible(window)) {
            return;
        }
        ::KillTimer(nullptr, id);
        const auto step = std::move(found->second.step);
        harness->polls_.erase(found);
        // An exception must not unwind through the system's dispatch.
        try {
            step();
        } catch (const std::exception& error) {
            ADD_FAILURE() << error.what();
        }
    }

    // The system gives the mouse to no window that is hidden or disabled, nor to one beneath
    // a disabled top-level window.
    static bool reachable(HWND hwnd) {
        return ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd) &&
               ::IsWindowEnabled(::GetAncestor(hwnd, GA_ROOT));
    }

    static void press(HWND hwnd, int x, int y) {
        ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, pointParam(x, y));
        ::SendMessageW(hwnd, WM_LBUTTONUP, 0, pointParam(x, y));
    }

    static HWND formWindow(Form& form) {
        const HWND window = testing_support::windowOf(form);
        if (window == nullptr) {
            throw std::logic_error(form.name() + " has no window");
        }
        return window;
    }

    static HWND controlWindow(Form& form, const std::string& name) {
        const HWND window = testing_support::windowOf(form, form.control(name));
        if (window == nullptr) {
            throw std::logic_error(name + " has no window");
        }
        return window;
    }

    static inline Win32Harness* current_ = nullptr;
    Desktop desktop_;
    std::map<UINT_PTR, Poll> polls_;
};

std::unique_ptr<Harness> makeWin32() {
    return std::make_unique<Win32Harness>();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Backend, Contract, ::testing::Values(&makeWin32),
                         [](const auto&) { return std::string("Win32"); });

}  // namespace ui::contract
