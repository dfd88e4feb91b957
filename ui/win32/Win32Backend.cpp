#include "ui/win32/Win32Backend.h"

#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <map>
#include <vector>

#include "platform/windows/Wide.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/OpenFileDialog.h"

namespace ui {
namespace {

constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

int shiftState() {
    return (::GetKeyState(VK_SHIFT) < 0 ? kShiftMask : 0) |
           (::GetKeyState(VK_CONTROL) < 0 ? kCtrlMask : 0) |
           (::GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

win32::Scale systemScale() {
    win32::Scale scale;
    if (const HDC screen = ::GetDC(nullptr)) {
        scale.dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
        scale.dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(nullptr, screen);
    }
    return scale;
}

DWORD styleOf(BorderStyle style) {
    switch (style) {
        case BorderStyle::Sizable:
            return WS_OVERLAPPEDWINDOW;
        case BorderStyle::FixedDialog:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU;
        case BorderStyle::None:
            break;
    }
    return WS_POPUP;
}

class Win32Backend final : public Backend {
public:
    Win32Backend() : thread_(::GetCurrentThreadId()), scale_(systemScale()) {}

    bool canShowWindows() const override { return true; }

    MessageResult messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& title) override {
        UINT flags = MB_SETFOREGROUND;
        switch (buttons) {
            case MessageButtons::Ok:
                flags |= MB_OK;
                break;
            case MessageButtons::YesNo:
                flags |= MB_YESNO;
                break;
            case MessageButtons::RetryCancel:
                flags |= MB_RETRYCANCEL;
                break;
        }
        switch (icon) {
            case MessageIcon::None:
                break;
            case MessageIcon::Information:
                flags |= MB_ICONINFORMATION;
                break;
            case MessageIcon::Question:
                flags |= MB_ICONQUESTION;
                break;
            case MessageIcon::Exclamation:
                flags |= MB_ICONEXCLAMATION;
                break;
            case MessageIcon::Critical:
                flags |= MB_ICONERROR;
                break;
        }
        // Without an owner the box is modal for the whole thread.
        const HWND owner = topWindow();
        if (owner == nullptr) {
            flags |= MB_TASKMODAL;
        }
        switch (::MessageBoxW(owner, platform::widen(text).c_str(), platform::widen(title).c_str(),
                              flags)) {
            case IDOK:
                return MessageResult::Ok;
            case IDYES:
                return MessageResult::Yes;
            case IDNO:
                return MessageResult::No;
            case IDRETRY:
                return MessageResult::Retry;
            case IDCANCEL:
                return MessageResult::Cancel;
            default:
                return cautiousAnswer(buttons);
        }
    }

    std::optional<std::string> openFile(const FileDialogRequest& request) override {
        return win32::showOpenFileDialog(request, topWindow());
    }

    void createWindow(Form& form, bool main) override {
        const HWND owner = main || main_ == nullptr ? nullptr : windowOf(*main_);
        windows_[&form] = std::make_unique<win32::FormWindow>(form, host(), scale_, owner);
        order_.push_back(&form);
        if (main) {
            main_ = &form;
        }
    }

    void destroyWindow(Form& form) override {
        const bool wasModal = std::erase(modal_, &form) > 0;
        std::erase(order_, &form);
        if (wasModal) {
            enableByModality();
        }
        windows_.erase(&form);
        if (main_ == &form) {
            main_ = nullptr;
        }
    }

    void showWindow(Form& form, bool modal) override {
        if (modal) {
            modal_.push_back(&form);
            enableByModality();
        }
        if (const auto found = windows_.find(&form); found != windows_.end()) {
            found->second->show();
        }
    }

    void runLoop(Form& /*form*/, const std::function<bool()>& done) override {
        while (!done()) {
            MSG message{};
            const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
            if (got <= 0) {
                // WM_QUIT from outside (the session ends): every loop stops.
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            dispatch(message);
        }
    }

    void wake() override { ::PostThreadMessageW(thread_, WM_NULL, 0, 0); }

    void processEvents() override {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            dispatch(message);
        }
    }

    ScreenMetrics screen() const override {
        const double twipsX = 1440.0 / scale_.dpiX;
        const double twipsY = 1440.0 / scale_.dpiY;
        return {static_cast<int>(::GetSystemMetrics(SM_CXSCREEN) * twipsX + 0.5),
                static_cast<int>(::GetSystemMetrics(SM_CYSCREEN) * twipsY + 0.5), twipsX, twipsY};
    }

    FrameExtents frameExtents(BorderStyle style) const override {
        RECT rect{0, 0, 0, 0};
        const DWORD exStyle = style == BorderStyle::FixedDialog ? WS_EX_DLGMODALFRAME : 0;
        ::AdjustWindowRectEx(&rect, styleOf(style), FALSE, exStyle);
        return {-rect.left, -rect.top, rect.right, rect.bottom, ::GetSystemMetrics(SM_CYMENU)};
    }

    bool openUrl(const std::string& url) override {
        const auto result = reinterpret_cast<INT_PTR>(::ShellExecuteW(
            topWindow(), L"open", platform::widen(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        return result > 32;
    }

private:
    HWND windowOf(Form& form) const {
        const auto found = windows_.find(&form);
        return found != windows_.end() ? found->second->hwnd() : nullptr;
    }

    // The window a box or dialog belongs to: the last modal one, else the last one made.
    HWND topWindow() const {
        if (!modal_.empty()) {
            return windowOf(*modal_.back());
        }
        return order_.empty() ? nullptr : windowOf(*order_.back());
    }

    // Beneath the topmost modal window nothing takes input.
    void enableByModality() {
        const auto top = modal_.empty() ? order_.begin()
                                        : std::find(order_.begin(), order_.end(), modal_.back());
        for (auto it = order_.begin(); it != order_.end(); ++it) {
            ::EnableWindow(windowOf(**it), it >= top);
        }
    }

    // Each key goes once to the shared layer, with the control that has the focus; Tab moves
    // the focus in tab order. Enter and Esc mean what the shared layer makes of them, so the
    // controls do not see them too.
    void dispatch(MSG& message) {
        if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
            if (win32::FormWindow* window = win32::FormWindow::of(message.hwnd)) {
                const auto key = static_cast<int>(message.wParam);
                const int shift = shiftState();
                const HWND root = window->hwnd();
                Control* focus = window->controlOf(message.hwnd);
                host().userPressedKey(window->form(), focus, key, shift);
                if (key == VK_RETURN || key == VK_ESCAPE) {
                    return;
                }
                if (key == VK_TAB && (shift & (kCtrlMask | kAltMask)) == 0) {
                    if (::IsWindow(root)) {
                        ::SetFocus(::GetNextDlgTabItem(root, message.hwnd, shift != 0));
                    }
                    return;
                }
            }
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }

    DWORD thread_;
    win32::Scale scale_;
    std::map<Form*, std::unique_ptr<win32::FormWindow>> windows_;
    std::vector<Form*> order_;
    std::vector<Form*> modal_;
    Form* main_ = nullptr;
};

// Wine without a display makes no window; Windows always does.
bool windowsCanBeMade() {
    win32::FormWindow::registerClass();
    const HWND probe = ::CreateWindowExW(0, L"SumoraForm", L"", WS_OVERLAPPED, 0, 0, 1, 1, nullptr,
                                         nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (probe == nullptr) {
        return false;
    }
    ::DestroyWindow(probe);
    return true;
}

}  // namespace

std::unique_ptr<Backend> makeWin32Backend() {
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_ANIMATE_CLASS};
    ::InitCommonControlsEx(&controls);
    if (!windowsCanBeMade()) {
        return nullptr;
    }
    return std::make_unique<Win32Backend>();
}

}  // namespace ui
