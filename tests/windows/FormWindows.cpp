#include "tests/windows/FormWindows.h"

#include <gtest/gtest.h>

#include <map>

#include "ui/win32/FormWindow.h"

namespace testing_support {
namespace {

using ui::win32::FormWindow;

struct Pending {
    const ui::Form* form = nullptr;
    std::function<void()> step;
};

// Thread timers carry no context of their own; the steps wait here by timer id.
std::map<UINT_PTR, Pending>& pending() {
    static std::map<UINT_PTR, Pending> steps;
    return steps;
}

void CALLBACK poll(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = pending().find(id);
    if (found == pending().end()) {
        ::KillTimer(nullptr, id);
        return;
    }
    const HWND window = windowOf(*found->second.form);
    if (window == nullptr || !::IsWindowVisible(window)) {
        return;
    }
    // Killed before the step runs, so a step that handles events does not run again.
    ::KillTimer(nullptr, id);
    const auto step = std::move(found->second.step);
    pending().erase(found);
    try {
        step();
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
}

}  // namespace

std::wstring textOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

HWND windowOf(const ui::Form& form) {
    struct Search {
        const ui::Form* form;
        HWND found;
    } search{&form, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto& wanted = *reinterpret_cast<Search*>(param);
            const FormWindow* window = FormWindow::of(hwnd);
            if (window != nullptr && window->hwnd() == hwnd && &window->form() == wanted.form) {
                wanted.found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND windowOf(const ui::Form& form, const ui::Control& control) {
    const HWND parent = windowOf(form);
    const FormWindow* window = FormWindow::of(parent);
    if (window == nullptr) {
        return nullptr;
    }
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (window->controlOf(child) == &control) {
            return child;
        }
    }
    return nullptr;
}

RECT placeOf(HWND child) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void whenShown(const ui::Form& form, std::function<void()> step) {
    const UINT_PTR id = ::SetTimer(nullptr, 0, 20, &poll);
    pending()[id] = {&form, std::move(step)};
}

}  // namespace testing_support
