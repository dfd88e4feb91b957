// The real main window under Windows (or Wine inside a virtual display): it opens with the
// system's controls, a grab of the screen shows it, and a click on the real compute button
// computes the checksum of the file named on the command line.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/frmSumora.h"
#include "platform/windows/Wide.h"
#include "tests/support/TempFolder.h"
#include "tests/windows/FormWindows.h"
#include "tests/windows/ScreenGrab.h"
#include "ui/Desktop.h"
#include "ui/win32/Win32Backend.h"

namespace {

using testing_support::textOf;

std::vector<HWND> children(HWND parent, const wchar_t* className) {
    std::vector<HWND> found;
    for (HWND child = nullptr; (child = ::FindWindowExW(parent, child, className, nullptr));) {
        found.push_back(child);
    }
    return found;
}

HWND childWithText(HWND parent, const wchar_t* className, const std::wstring& text) {
    for (HWND child : children(parent, className)) {
        if (textOf(child) == text) {
            return child;
        }
    }
    return nullptr;
}

// The window as the screen shows it, kept as gui_main_window.bmp; the number of distinct colours
// in it.
std::size_t grabColours(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const testing_support::ScreenGrab grab(rect);
    grab.save("gui_main_window.bmp");
    std::set<COLORREF> colours;
    for (int y = 0; y < rect.bottom - rect.top; ++y) {
        for (int x = 0; x < rect.right - rect.left; ++x) {
            colours.insert(grab.at(x, y));
        }
    }
    return colours.size();
}

// Runs the step once the event loop is handling messages.
std::function<void()> pendingStep;
void CALLBACK runPendingStep(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    const auto step = std::move(pendingStep);
    step();
}

TEST(GuiSmoke, MainWindowOpensShowsAndComputesOnAClick) {
    const testing_support::TempFolder folder;
    const std::string file = folder.writeFile("check.txt", "123456789");
    ui::Desktop desktop([] { return ui::makeWin32Backend(); });
    ASSERT_TRUE(desktop.canShowWindows()) << "no display: run this inside a virtual one";
    app::frmSumora form(desktop, "/SourceFile:" + file);

    struct Seen {
        bool window = false;
        bool visible = false;
        std::size_t colours = 0;
        bool computeEnabled = false;
        std::vector<std::wstring> boxes;
    } seen;
    pendingStep = [&] {
        const HWND window = ::FindWindowW(L"SumoraForm", L"Sumora");
        seen.window = window != nullptr;
        if (window == nullptr) {
            return;
        }
        seen.visible = ::IsWindowVisible(window) != FALSE;
        ::UpdateWindow(window);
        seen.colours = grabColours(window);
        const HWND compute = childWithText(window, L"Button", L"&Vypočti");
        seen.computeEnabled = compute != nullptr && ::IsWindowEnabled(compute);
        if (compute != nullptr) {
            ::SendMessageW(compute, BM_CLICK, 0, 0);
        }
        for (HWND box : children(window, L"Edit")) {
            seen.boxes.push_back(textOf(box));
        }
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    };
    ::SetTimer(nullptr, 0, 500, runPendingStep);

    desktop.run(form);

    ASSERT_TRUE(seen.window) << "the main window never appeared";
    EXPECT_TRUE(seen.visible);
    EXPECT_GT(seen.colours, 8u) << "the grab (gui_main_window.bmp) shows a blank rectangle";
    EXPECT_TRUE(seen.computeEnabled) << "the path names an existing file";
    const std::set<std::wstring> boxes(seen.boxes.begin(), seen.boxes.end());
    EXPECT_TRUE(boxes.contains(L"CBF43926")) << "the checksum box after the click";
    EXPECT_TRUE(boxes.contains(L"9 bytes")) << "the length box after the click";
    EXPECT_TRUE(boxes.contains(platform::widen(file)));
}

// The design is in 96-dpi pixels, scaled by the system's DPI. The test runs once as the system
// is and once with Wine set to 144 dpi; SUMORA_EXPECTED_DPI names the DPI of the run, so a run
// that did not get it fails instead of passing at 96.
TEST(GuiSmoke, TheWindowIsLaidOutAtTheSystemDpi) {
    ui::Desktop desktop([] { return ui::makeWin32Backend(); });
    ASSERT_TRUE(desktop.canShowWindows()) << "no display: run this inside a virtual one";
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    if (const char* expected = std::getenv("SUMORA_EXPECTED_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected)) << "the system runs at another DPI than this run's";
    }
    app::frmSumora form(desktop, "");
    RECT client{};
    RECT path{};
    RECT compute{};
    testing_support::whenShown(form, [&] {
        const HWND window = testing_support::windowOf(form);
        ::GetClientRect(window, &client);
        path = testing_support::placeOf(testing_support::windowOf(form, form.txtPathAndFileName));
        compute = testing_support::placeOf(testing_support::windowOf(form, form.cmndCalculate));
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    });

    desktop.run(form);

    const auto scaled = [dpi](int pixels) { return ::MulDiv(pixels, dpi, 96); };
    EXPECT_EQ(client.right, scaled(696));
    EXPECT_EQ(client.bottom, scaled(488));
    const struct {
        const char* name;
        RECT shown;
        RECT design;  // left, top, right, bottom at 96 dpi
    } placed[] = {{"txtPathAndFileName", path, {112, 90, 609, 117}},
                  {"cmndCalculate", compute, {544, 136, 665, 169}}};
    for (const auto& p : placed) {
        EXPECT_NEAR(p.shown.left, scaled(p.design.left), 1) << p.name;
        EXPECT_NEAR(p.shown.top, scaled(p.design.top), 1) << p.name;
        EXPECT_NEAR(p.shown.right, scaled(p.design.right), 1) << p.name;
        EXPECT_NEAR(p.shown.bottom, scaled(p.design.bottom), 1) << p.name;
    }
}

}  // namespace
