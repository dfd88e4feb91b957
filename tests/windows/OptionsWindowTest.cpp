// The options dialog in its real window under a display: laid out as designed at the system
// DPI, and its one option applied to the current user's real registry through the window's
// own controls.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <set>
#include <string>

#include "platform/windows/Wide.h"
#include "settings/frmOptions.h"
#include "settings/modOptions.h"
#include "tests/windows/FormWindows.h"
#include "tests/windows/UserRegistry.h"
#include "ui/Desktop.h"
#include "ui/win32/Win32Backend.h"

namespace settings {
namespace {

using testing_support::placeOf;
using testing_support::textOf;
using testing_support::windowOf;

struct Dpi {
    int x = 96;
    int y = 96;
};

Dpi screenDpi() {
    const HDC screen = ::GetDC(nullptr);
    const Dpi dpi{::GetDeviceCaps(screen, LOGPIXELSX), ::GetDeviceCaps(screen, LOGPIXELSY)};
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

// Twips to the nearest pixel.
int pixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

RECT pixelRect(int left, int top, int width, int height, Dpi dpi) {
    return {pixels(left, dpi.x), pixels(top, dpi.y), pixels(left, dpi.x) + pixels(width, dpi.x),
            pixels(top, dpi.y) + pixels(height, dpi.y)};
}

std::string describe(const RECT& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " to " +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

std::wstring modulePath() {
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

// The file name without its folder and ".exe".
std::wstring baseNameOf(const std::wstring& path) {
    const std::wstring name = path.substr(path.rfind(L'\\') + 1);
    return name.substr(0, name.size() - 4);
}

LRESULT checkOf(HWND box) {
    return ::SendMessageW(box, BM_GETCHECK, 0, 0);
}

void press(HWND button) {
    ::SendMessageW(button, BM_CLICK, 0, 0);
}

class OptionsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_.canShowWindows()) << "no display: run this inside a virtual one";
    }

    // Opens a fresh dialog modally and plays the step on it once it shows; a dialog the step
    // leaves open is closed afterwards, so a failed check cannot hold the test up.
    void open(const std::function<void(frmOptions&, HWND)>& step) {
        frmOptions dialog(desktop_);
        bool played = false;
        testing_support::whenShown(dialog, [&] {
            played = true;
            step(dialog, windowOf(dialog));
            if (desktop_.isLoaded(dialog)) {
                desktop_.unload(dialog);
            }
        });
        desktop_.showModal(dialog);
        EXPECT_TRUE(played) << "the dialog never showed";
    }

    ui::Desktop desktop_{[] { return ui::makeWin32Backend(); }};
};

TEST_F(OptionsWindowTest, OpensAsDesignedAsAFixedDialog) {
    open([&](frmOptions& dialog, HWND window) {
        const Dpi dpi = screenDpi();
        EXPECT_EQ(textOf(window), L"Nastavení");
        RECT client{};
        ::GetClientRect(window, &client);
        EXPECT_EQ(client.right, pixels(6150, dpi.x)) << "at " << dpi.x << " dpi";
        EXPECT_EQ(client.bottom, pixels(4560, dpi.y)) << "at " << dpi.y << " dpi";

        RECT outer{};
        ::GetWindowRect(window, &outer);
        const int width = outer.right - outer.left;
        const int height = outer.bottom - outer.top;
        EXPECT_NEAR(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2, 1) << "centred";
        EXPECT_NEAR(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, 1) << "centred";
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
        EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION) << "a title bar";
        EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u)
            << "no sizing border, no minimize or maximize button";
        EXPECT_NE(exStyle & WS_EX_DLGMODALFRAME, 0u) << "a dialog frame";
        const LRESULT corner =
            ::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(outer.right - 1, outer.bottom - 1));
        EXPECT_NE(corner, HTBOTTOMRIGHT) << "the corner cannot be dragged to resize";

        const struct {
            const ui::Control& control;
            RECT expected;
        } placed[] = {
            {dialog.lbxOptionsMenu, pixelRect(120, 120, 1575, 3885, dpi)},
            {dialog.framMainConfiguration, pixelRect(1800, 0, 4215, 3975, dpi)},
            // Inside the frame: its designed place is relative to the frame's corner.
            {dialog.chkAssociation, pixelRect(1800 + 240, 0 + 480, 2895, 495, dpi)},
            {dialog.cmdOK, pixelRect(2160, 4080, 1215, 375, dpi)},
            {dialog.cmdCancel, pixelRect(3480, 4080, 1215, 375, dpi)},
            {dialog.cmdApply, pixelRect(4800, 4080, 1215, 375, dpi)},
        };
        for (const auto& [control, expected] : placed) {
            const HWND child = windowOf(dialog, control);
            ASSERT_NE(child, nullptr) << control.name() << " has a window";
            EXPECT_TRUE(::IsWindowVisible(child)) << control.name() << " shows";
            EXPECT_EQ(describe(placeOf(child)), describe(expected)) << control.name();
        }

        EXPECT_EQ(textOf(windowOf(dialog, dialog.framMainConfiguration)), L"Hlavní konfigurace");
        const HWND list = windowOf(dialog, dialog.lbxOptionsMenu);
        ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
        std::wstring entry(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, 0, 0)),
                           L'\0');
        ::SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(entry.data()));
        EXPECT_EQ(entry, L"Nastavení");
        EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 0) << "its one entry is selected";

        std::set<std::wstring> captions;
        for (const ui::Control* button : {&dialog.cmdOK, &dialog.cmdCancel, &dialog.cmdApply}) {
            const HWND child = windowOf(dialog, *button);
            captions.insert(textOf(child));
            const auto type = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE)) & 0x0F;
            EXPECT_EQ(type, static_cast<DWORD>(BS_PUSHBUTTON))
                << button->name() << " is a push button and not the default one";
        }
        EXPECT_EQ(captions, (std::set<std::wstring>{L"&OK", L"&Storno", L"&Použít"}));
        ::SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_FALSE(desktop_.isLoaded(dialog)) << "the close box closes the dialog";
    });
}

TEST_F(OptionsWindowTest, TheBoxAssociatesCrcFilesInTheRegistryUntilItIsClearedAgain) {
    const std::wstring program = modulePath();
    const std::wstring fileType = baseNameOf(program);
    const std::wstring extensionKey = L"Software\\Classes\\.crc";
    const std::wstring typeKey = L"Software\\Classes\\" + fileType;
    const std::wstring settingsKey =
        L"Software\\VB and VBA Program Settings\\" + fileType + L"\\Configuration";
    const testing_support::RegistrySnapshot extension(extensionKey);
    const testing_support::RegistrySnapshot type(typeKey);
    const testing_support::RegistrySnapshot area(settingsKey);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, extensionKey.c_str());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, typeKey.c_str());

    open([&](frmOptions& dialog, HWND) {
        const HWND box = windowOf(dialog, dialog.chkAssociation);
        EXPECT_EQ(checkOf(box), BST_UNCHECKED) << "nothing is associated yet";
        press(box);
        EXPECT_EQ(checkOf(box), BST_CHECKED) << "a click ticks the box";
        EXPECT_FALSE(testing_support::keyExists(extensionKey)) << "ticking alone writes nothing";
        press(windowOf(dialog, dialog.cmdOK));
        EXPECT_FALSE(desktop_.isLoaded(dialog)) << "OK closes the dialog";
    });
    using testing_support::textValueOf;
    EXPECT_EQ(textValueOf(extensionKey), fileType) << ".crc names the program's file type";
    EXPECT_EQ(textValueOf(typeKey), fileType);
    EXPECT_EQ(textValueOf(typeKey + L"\\shell\\open\\command"), L"\"" + program + L"\" %1");
    EXPECT_EQ(textValueOf(typeKey + L"\\DefaultIcon"), program + L",0");
    EXPECT_EQ(textValueOf(settingsKey, L"VersionProgram"), platform::widen(VersionProgramText()))
        << "OK stores the running version";

    open([&](frmOptions& dialog, HWND window) {
        const HWND box = windowOf(dialog, dialog.chkAssociation);
        EXPECT_EQ(checkOf(box), BST_CHECKED) << "the box shows the association made before";
        press(box);
        press(windowOf(dialog, dialog.cmdApply));
        EXPECT_TRUE(desktop_.isLoaded(dialog)) << "Použít leaves the dialog open";
        EXPECT_FALSE(testing_support::keyExists(extensionKey)) << "Použít applies at once";
        ::SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_FALSE(testing_support::keyExists(extensionKey));
    EXPECT_FALSE(testing_support::keyExists(typeKey));
}

}  // namespace
}  // namespace settings
