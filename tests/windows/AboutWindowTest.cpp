// The about dialog in its real window under a display: frameless, centred, its corners cut by
// the window region so that the screen shows what lies behind them, and closed by Esc.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "about/frmAbout.h"
#include "tests/windows/FormWindows.h"
#include "tests/windows/ScreenGrab.h"
#include "ui/Desktop.h"
#include "ui/win32/Win32Backend.h"

namespace about {
namespace {

// A colour no part of the dialog has.
constexpr COLORREF kBehind = RGB(0x31, 0x9B, 0x54);

// A window of one plain colour over the whole screen, for the dialog to lie on.
class Backdrop {
public:
    Backdrop() {
        static const bool registered = [] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = &::DefWindowProcW;
            windowClass.hInstance = ::GetModuleHandleW(nullptr);
            windowClass.hbrBackground = ::CreateSolidBrush(kBehind);
            windowClass.lpszClassName = L"SumoraTestBackdrop";
            return ::RegisterClassW(&windowClass) != 0;
        }();
        (void)registered;
        hwnd_ = ::CreateWindowExW(0, L"SumoraTestBackdrop", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                  ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::UpdateWindow(hwnd_);
    }
    ~Backdrop() { ::DestroyWindow(hwnd_); }
    Backdrop(const Backdrop&) = delete;
    Backdrop& operator=(const Backdrop&) = delete;

private:
    HWND hwnd_ = nullptr;
};

std::string hex(COLORREF colour) {
    char text[8];
    std::snprintf(text, sizeof(text), "%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

void pressKey(HWND window, WPARAM key) {
    ::SetFocus(window);
    ::PostMessageW(window, WM_KEYDOWN, key, 1);
    ::PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

TEST(AboutWindow, FramelessCentredRoundCorneredAndClosedByEsc) {
    ui::Desktop desktop([] { return ui::makeWin32Backend(); });
    ASSERT_TRUE(desktop.canShowWindows()) << "no display: run this inside a virtual one";
    const Backdrop backdrop;
    frmAbout dialog(desktop);
    bool played = false;
    testing_support::whenShown(dialog, [&] {
        played = true;
        const HWND window = testing_support::windowOf(dialog);
        ::UpdateWindow(window);
        desktop.doEvents();

        const HDC screen = ::GetDC(nullptr);
        const int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
        const int dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(nullptr, screen);
        RECT outer{};
        ::GetWindowRect(window, &outer);
        const int width = outer.right - outer.left;
        const int height = outer.bottom - outer.top;
        EXPECT_EQ(width, (9615 * dpiX + 720) / 1440) << "641 pixels at 96 dpi";
        EXPECT_EQ(height, (4485 * dpiY + 720) / 1440) << "299 pixels at 96 dpi";
        RECT client{};
        ::GetClientRect(window, &client);
        EXPECT_EQ(client.right, width) << "no frame";
        EXPECT_EQ(client.bottom, height) << "no frame, no title bar";
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
        EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), 0u) << "frameless";
        EXPECT_NEAR(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2, 1) << "centred";
        EXPECT_NEAR(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, 1) << "centred";

        const testing_support::ScreenGrab grab(outer);
        grab.save("gui_about_window.bmp");
        const COLORREF ground = grab.at(10, 150);  // beside the logo
        EXPECT_EQ(hex(ground), hex(::GetSysColor(COLOR_WINDOW))) << "the window colour";
        const POINT corners[] = {{0, 0}, {width - 1, 0}, {0, height - 1}, {width - 1, height - 1}};
        for (const POINT corner : corners) {
            EXPECT_EQ(hex(grab.at(corner.x, corner.y)), hex(kBehind))
                << "the corner " << corner.x << "," << corner.y
                << " is cut off (see gui_about_window.bmp)";
        }
        // Just inside each rounded corner, and on the edges beside the controls.
        const POINT inside[] = {
            {8, 8},   {width - 9, 8},   {8, height - 9}, {width - 9, height - 9},
            {20, 20}, {width - 21, 20}, {40, 1},         {1, height / 2}};
        for (const POINT point : inside) {
            EXPECT_EQ(hex(grab.at(point.x, point.y)), hex(ground))
                << point.x << "," << point.y
                << " lies inside the region (see gui_about_window.bmp)";
        }

        pressKey(window, VK_RETURN);
        desktop.doEvents();
        EXPECT_TRUE(desktop.isLoaded(dialog)) << "Enter does not close the dialog";
        pressKey(window, VK_ESCAPE);
        desktop.doEvents();
        EXPECT_FALSE(desktop.isLoaded(dialog)) << "Esc closes the dialog";
        EXPECT_FALSE(::IsWindow(window)) << "its window is gone";
        if (desktop.isLoaded(dialog)) {
            desktop.unload(dialog);
        }
    });
    desktop.showModal(dialog);
    EXPECT_TRUE(played) << "the dialog never showed";
}

}  // namespace
}  // namespace about
