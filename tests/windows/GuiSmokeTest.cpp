// The real main window under Windows (or Wine inside a virtual display): it opens with the
// system's controls, a grab of the screen shows it, and a click on the real compute button
// computes the checksum of the file named on the command line.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/frmSumora.h"
#include "platform/windows/Wide.h"
#include "tests/support/TempFolder.h"
#include "ui/Desktop.h"
#include "ui/win32/Win32Backend.h"

namespace {

std::wstring textOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

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

// The window's rectangle as it is on the screen, as a 24-bit BMP file; the number of distinct
// colours in it.
std::size_t grabToBitmap(HWND window, const std::string& path) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, previous);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<char> pixels(stride * static_cast<std::size_t>(height));
    ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));

    std::set<std::uint32_t> colours;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(
                pixels.data() + static_cast<std::size_t>(y) * stride +
                static_cast<std::size_t>(x) * 3);
            colours.insert(static_cast<std::uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16)));
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
        seen.colours = grabToBitmap(window, "gui_main_window.bmp");
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

}  // namespace
