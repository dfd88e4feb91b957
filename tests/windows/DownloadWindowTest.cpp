// The download window as a real Windows window (under Wine inside a virtual display) against the
// loopback fault server: the system's animation control plays the clip and the system's progress
// bar moves while the file arrives over WinHTTP; Esc in the real window cancels.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "download/frmDownloadFile.h"
#include "platform/Transfer.h"
#include "platform/windows/Wide.h"
#include "tests/download/FaultServer.h"
#include "tests/support/TempFolder.h"
#include "tests/windows/FormWindows.h"
#include "ui/Desktop.h"
#include "ui/win32/Win32Backend.h"

namespace {

using download::testing::FaultServer;
using download::testing::servedFile;

using testing_support::textOf;

HWND child(HWND parent, const wchar_t* className) {
    return ::FindWindowExW(parent, nullptr, className, nullptr);
}

bool hasChildWithText(HWND parent, const std::wstring& text) {
    for (HWND found = nullptr; (found = ::FindWindowExW(parent, found, nullptr, nullptr));) {
        if (textOf(found) == text) {
            return true;
        }
    }
    return false;
}

// The colours on a grid over the control as the screen shows them.
std::vector<COLORREF> sample(HWND control) {
    RECT client{};
    ::GetClientRect(control, &client);
    std::vector<COLORREF> colours;
    const HDC dc = ::GetDC(control);
    for (int y = 2; y < client.bottom; y += 4) {
        for (int x = 2; x < client.right; x += 4) {
            colours.push_back(::GetPixel(dc, x, y));
        }
    }
    ::ReleaseDC(control, dc);
    return colours;
}

// Runs the step every interval while the download window's events are handled.
std::function<void()> pollStep;
void CALLBACK runPollStep(HWND, UINT, UINT_PTR, DWORD) {
    if (pollStep) {
        pollStep();
    }
}

class DownloadWindowOnWindows : public ::testing::Test {
protected:
    DownloadWindowOnWindows()
        : desktop([] { return ui::makeWin32Backend(); }),
          transfer(platform::makeSystemTransfer()),
          form(desktop, *transfer) {
        destination = folder.programPath() + "got\\file.bin";
    }
    ~DownloadWindowOnWindows() override {
        ::KillTimer(nullptr, timer);
        pollStep = nullptr;
    }

    void everyTenthSecond(std::function<void()> step) {
        pollStep = std::move(step);
        timer = ::SetTimer(nullptr, 0, 100, runPollStep);
    }

    // The download window while it is shown: found by its title once data arrives.
    static HWND shownWindow() {
        const HWND window = ::FindWindowW(L"SumoraForm", nullptr);
        return window != nullptr && ::IsWindowVisible(window) ? window : nullptr;
    }

    FaultServer server;
    testing_support::TempFolder folder;
    ui::Desktop desktop;
    std::unique_ptr<platform::Transfer> transfer;
    download::frmDownloadFile form;
    std::string destination;
    UINT_PTR timer = 0;
};

TEST_F(DownloadWindowOnWindows, ShowsTheTransferInTheSystemsControlsAndCompletes) {
    ASSERT_TRUE(desktop.canShowWindows()) << "no display: run this inside a virtual one";
    struct Seen {
        bool centred = false;
        bool statusShown = false;
        bool captionCounts = false;
        int progress = 0;
        std::vector<std::vector<COLORREF>> clipFrames;
    } seen;
    everyTenthSecond([&] {
        const HWND window = shownWindow();
        if (window == nullptr) {
            return;
        }
        RECT outer{};
        ::GetWindowRect(window, &outer);
        const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
        const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
        // Its unloading moves it off the screen before it goes.
        const bool centred = std::abs(outer.left + outer.right - screenWidth) <= 2 &&
                             std::abs(outer.top + outer.bottom - screenHeight) <= 2;
        seen.centred = seen.centred || centred;
        seen.statusShown = seen.statusShown || hasChildWithText(window, L"Saving:");
        seen.captionCounts = seen.captionCounts ||
                             std::regex_match(platform::narrow(textOf(window)),
                                              std::regex("[0-9]{1,3}% of file\\.bin Completed"));
        if (const HWND bar = child(window, PROGRESS_CLASSW)) {
            const int position = static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0));
            const int maximum = static_cast<int>(::SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
            if (position > 0 && position < maximum) {
                seen.progress = position;
            }
        }
        const HWND clip = child(window, ANIMATE_CLASSW);
        if (centred && clip != nullptr) {
            seen.clipFrames.push_back(sample(clip));
        }
    });

    const bool result =
        form.DownloadFile(server.url("/slow/300000?piece=10000&delay=0.1"), destination, "", "");

    EXPECT_TRUE(result);
    EXPECT_TRUE(testing_support::readNativeFile(folder.native() / "got" / "file.bin") ==
                servedFile(300000))
        << "the file holds other bytes than the server sent";
    EXPECT_TRUE(seen.centred) << "the window is centred on the screen while it downloads";
    EXPECT_TRUE(seen.statusShown) << "the status label says \"Saving:\"";
    EXPECT_TRUE(seen.captionCounts) << "the title counts the percent done";
    EXPECT_GT(seen.progress, 0) << "the progress bar moved part of the way";
    bool animated = false;
    for (std::size_t i = 1; i < seen.clipFrames.size(); ++i) {
        animated = animated || seen.clipFrames[i] != seen.clipFrames[0];
    }
    EXPECT_TRUE(animated) << "the animation control shows changing frames ("
                          << seen.clipFrames.size() << " looks)";
}

TEST_F(DownloadWindowOnWindows, EscInTheRealWindowCancelsAndLeavesNoFile) {
    ASSERT_TRUE(desktop.canShowWindows()) << "no display: run this inside a virtual one";
    bool pressed = false;
    everyTenthSecond([&] {
        const HWND window = shownWindow();
        if (window == nullptr || pressed || !hasChildWithText(window, L"Saving:")) {
            return;
        }
        pressed = true;
        ::SetForegroundWindow(window);
        ::PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
        ::PostMessageW(window, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    });

    const bool result =
        form.DownloadFile(server.url("/slow/10000000?piece=10000&delay=0.1"), destination, "", "");

    EXPECT_TRUE(pressed);
    EXPECT_FALSE(result);
    EXPECT_FALSE(std::filesystem::exists(folder.native() / "got"))
        << "a cancelled download leaves nothing behind, not even the folder it made";
}

}  // namespace
