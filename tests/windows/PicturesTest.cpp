// The pictures the forms name, on their real windows under a display: the main window's
// background stretched over its client area and behind its transparent captions, its two logos
// with their alpha over it, the about dialog's logo (which still takes a click) and the options
// dialog's icon. Each is held against the PNG it comes from as the system's own decoder reads
// it, at the place the form gives it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "about/frmAbout.h"
#include "app/frmSumora.h"
#include "settings/frmOptions.h"
#include "tests/windows/FormWindows.h"
#include "tests/windows/PngImage.h"
#include "tests/windows/ScreenGrab.h"
#include "ui/Desktop.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/Win32Backend.h"

namespace {

using testing_support::picturePath;
using testing_support::PngImage;
using testing_support::ScreenGrab;
using testing_support::windowOf;

ui::win32::Scale screenScale() {
    const HDC screen = ::GetDC(nullptr);
    const ui::win32::Scale scale{::GetDeviceCaps(screen, LOGPIXELSX),
                                 ::GetDeviceCaps(screen, LOGPIXELSY)};
    ::ReleaseDC(nullptr, screen);
    return scale;
}

// How far a shown colour may stray from the exact blend of a PNG pixel on its ground: the
// rounding of the system's alpha blending, or, below 96 dpi, the averaging of a shrunk picture.
int tolerance(const ui::win32::Scale& scale) {
    return std::min(scale.dpiX, scale.dpiY) >= 96 ? 3 : 32;
}

// A picture drawn at its own size (times dpi / 96) or stretched shows at each point the PNG
// pixel that point comes from.
std::uint32_t pixelAt(const PngImage& png, int x, int y, int width, int height) {
    return png.at(static_cast<int>(static_cast<long long>(x) * png.width() / width),
                  static_cast<int>(static_cast<long long>(y) * png.height() / height));
}

// A PNG pixel (straight alpha, 0xAARRGGBB) over an opaque ground.
COLORREF over(std::uint32_t pixel, COLORREF ground) {
    const int alpha = static_cast<int>(pixel >> 24);
    const auto blend = [alpha](std::uint32_t top, int bottom) {
        return static_cast<BYTE>(
            (static_cast<int>(top & 0xFF) * alpha + bottom * (255 - alpha) + 127) / 255);
    };
    return RGB(blend(pixel >> 16, GetRValue(ground)), blend(pixel >> 8, GetGValue(ground)),
               blend(pixel, GetBValue(ground)));
}

int difference(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

std::string hex(COLORREF colour) {
    char text[8];
    std::snprintf(text, sizeof(text), "%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

// The points of an area where the screen is not what was expected, the first of them told.
struct Comparison {
    int points = 0;
    int wrong = 0;
    std::string first;
};

Comparison compare(const std::function<COLORREF(int, int)>& shown, const RECT& area, int tolerance,
                   const std::function<COLORREF(int, int)>& expected,
                   const std::function<bool(int, int)>& counted = nullptr) {
    Comparison result;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (counted && !counted(x, y)) {
                continue;
            }
            ++result.points;
            const COLORREF is = shown(x, y);
            const COLORREF should = expected(x, y);
            if (difference(is, should) > tolerance && result.wrong++ == 0) {
                result.first = "at " + std::to_string(x) + "," + std::to_string(y) + " " + hex(is) +
                               " instead of " + hex(should);
            }
        }
    }
    return result;
}

// The window with all that lies on it drawn, and on the screen.
void settle(ui::Desktop& desktop, HWND window) {
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int round = 0; round < 5; ++round) {
        desktop.doEvents();
        ::Sleep(40);
    }
}

RECT clientOnScreen(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

// A control's picture where the form places it: from the control's top left at its own size
// times dpi / 96, cut to the control.
struct PlacedPicture {
    PlacedPicture(const ui::Control& control, const PngImage& picture,
                  const ui::win32::Scale& scale)
        : png(picture),
          width(::MulDiv(picture.width(), scale.dpiX, 96)),
          height(::MulDiv(picture.height(), scale.dpiY, 96)) {
        const ui::Rect& box = control.geometry();
        area.left = scale.x(box.left);
        area.top = scale.y(box.top);
        area.right = area.left + std::min(width, scale.x(box.width));
        area.bottom = area.top + std::min(height, scale.y(box.height));
    }

    // What it shows at a point of the client area, over that ground.
    COLORREF shownOver(int x, int y, COLORREF ground) const {
        return over(pixelAt(png, x - area.left, y - area.top, width, height), ground);
    }

    const PngImage& png;
    int width;
    int height;
    RECT area{};
};

// Plays the step once the form shows, and unloads the form after it whatever it found.
void playWhenShown(ui::Desktop& desktop, ui::Form& form, bool& played,
                   const std::function<void(HWND)>& step) {
    testing_support::whenShown(form, [&desktop, &form, &played, step] {
        played = true;
        const HWND window = windowOf(form);
        settle(desktop, window);
        step(window);
        if (desktop.isLoaded(form)) {
            desktop.unload(form);
        }
    });
}

TEST(Pictures, MainWindowShowsItsBackgroundUnderItsCaptionsAndItsLogosOverIt) {
    const PngImage background(picturePath("background.main"));
    const PngImage logoCrc32(picturePath("logo.crc32"));
    const PngImage logoMain(picturePath("logo.main"));
    ui::Desktop desktop([] { return ui::makeWin32Backend(); });
    ASSERT_TRUE(desktop.canShowWindows()) << "no display: run this inside a virtual one";
    app::frmSumora form(desktop, "");
    bool played = false;
    playWhenShown(desktop, form, played, [&](HWND window) {
        const RECT client = clientOnScreen(window);
        const int width = client.right - client.left;
        const int height = client.bottom - client.top;
        const ScreenGrab grab(client);
        grab.save("gui_pictures_main.bmp");
        const auto shown = [&](int x, int y) { return grab.at(x, y); };
        const ui::win32::Scale scale = screenScale();
        const auto ground = [&](int x, int y) {
            return over(pixelAt(background, x, y, width, height), 0);
        };

        // Where nothing lies on the form: the picture stretched over the whole client area.
        std::vector<RECT> children;
        for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (::IsWindowVisible(child)) {
                children.push_back(testing_support::placeOf(child));
            }
        }
        const auto bare = [&](int x, int y) {
            const POINT point{x, y};
            return std::none_of(children.begin(), children.end(),
                                [&](const RECT& rect) { return ::PtInRect(&rect, point); });
        };
        const Comparison uncovered =
            compare(shown, {0, 0, width, height}, tolerance(scale), ground, bare);
        EXPECT_GT(uncovered.points, width * height / 2);
        EXPECT_EQ(uncovered.wrong, 0)
            << "the background picture, " << uncovered.first << " (see gui_pictures_main.bmp)";

        // A transparent caption shows the picture, lined up with the rest, behind its text.
        int captions = 0;
        for (const auto& control : form.controls()) {
            if (control->kind() != ui::ControlKind::Label ||
                control->backStyle() != ui::BackStyle::Transparent || !control->visible()) {
                continue;
            }
            ++captions;
            const RECT box = testing_support::placeOf(windowOf(form, *control));
            const Comparison caption = compare(shown, box, tolerance(scale), ground);
            EXPECT_GT(caption.points, 0) << control->name();
            EXPECT_LT(caption.wrong * 2, caption.points)
                << control->name() << " shows no background picture behind its text, "
                << caption.first;
        }
        EXPECT_GE(captions, 5);

        // The logos from their controls' top left, the picture showing where they let it.
        const struct {
            const ui::Control* control;
            const PngImage* png;
        } logos[] = {{&form.picLogoCRC32, &logoCrc32}, {&form.picLogoMain, &logoMain}};
        for (const auto& [control, png] : logos) {
            const PlacedPicture placed(*control, *png, scale);
            const Comparison logo =
                compare(shown, placed.area, tolerance(scale),
                        [&](int x, int y) { return placed.shownOver(x, y, ground(x, y)); });
            EXPECT_EQ(logo.wrong, 0) << control->name() << " of " << logo.points << " points, "
                                     << logo.first << " (see gui_pictures_main.bmp)";
        }

        // A form without an icon of its own keeps the program's.
        EXPECT_EQ(::SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_NE(::GetClassLongPtrW(window, GCLP_HICON), 0);
    });
    desktop.run(form);
    EXPECT_TRUE(played) << "the main window never showed";
}

TEST(Pictures, AboutDialogShowsItsLogoWhichTakesAClick) {
    const PngImage png(picturePath("logo.about"));
    ui::Desktop desktop([] { return ui::makeWin32Backend(); });
    ASSERT_TRUE(desktop.canShowWindows()) << "no display: run this inside a virtual one";
    about::frmAbout dialog(desktop);
    // The click goes to the dialog's logic, not to a browser.
    dialog.hlblLogo.setUrl("");
    int clicks = 0;
    dialog.hlblLogo.onClick = [&] { ++clicks; };
    bool played = false;
    playWhenShown(desktop, dialog, played, [&](HWND window) {
        const RECT client = clientOnScreen(window);
        const ScreenGrab grab(client);
        grab.save("gui_pictures_about.bmp");
        const ui::win32::Scale scale = screenScale();
        const PlacedPicture placed(dialog.hlblLogo, png, scale);
        const RECT& area = placed.area;
        // The dialog's ground, the window colour, shows where the logo lets it.
        const COLORREF ground = ::GetSysColor(COLOR_WINDOW);
        const Comparison logo =
            compare([&](int x, int y) { return grab.at(x, y); }, area, tolerance(scale),
                    [&](int x, int y) { return placed.shownOver(x, y, ground); });
        EXPECT_EQ(logo.wrong, 0) << "the logo instead of its caption, of " << logo.points
                                 << " points, " << logo.first << " (see gui_pictures_about.bmp)";

        // The system finds the logo under the pointer in its middle, and its click is the logo's.
        const POINT middle{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
        POINT onScreen = middle;
        ::ClientToScreen(window, &onScreen);
        const HWND hit = ::WindowFromPoint(onScreen);
        EXPECT_EQ(hit, windowOf(dialog, dialog.hlblLogo)) << "the logo takes the click";
        const LPARAM at = MAKELPARAM(middle.x - area.left, middle.y - area.top);
        ::PostMessageW(hit, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(hit, WM_LBUTTONUP, 0, at);
        desktop.doEvents();
        EXPECT_EQ(clicks, 1);
        EXPECT_TRUE(desktop.isLoaded(dialog)) << "a click on the logo does not close the dialog";
    });
    desktop.showModal(dialog);
    EXPECT_TRUE(played) << "the about dialog never showed";
}

TEST(Pictures, OptionsDialogHasItsOwnIcon) {
    const PngImage png(picturePath("icon.options"));
    ui::Desktop desktop([] { return ui::makeWin32Backend(); });
    ASSERT_TRUE(desktop.canShowWindows()) << "no display: run this inside a virtual one";
    settings::frmOptions dialog(desktop);
    bool played = false;
    playWhenShown(desktop, dialog, played, [&](HWND window) {
        const auto program = reinterpret_cast<HICON>(::GetClassLongPtrW(window, GCLP_HICON));
        const auto big = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_BIG, 0));
        const auto small =
            reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
        EXPECT_NE(program, nullptr) << "the program's icon, which the test program carries too";
        EXPECT_NE(big, nullptr);
        EXPECT_NE(small, nullptr);
        EXPECT_NE(big, program);
        EXPECT_NE(small, program);
        if (big == nullptr) {
            return;
        }

        // Drawn on a plain colour, the big icon is the picture on it.
        const int size = ::GetSystemMetrics(SM_CXICON);
        constexpr COLORREF kGround = RGB(0x31, 0x9B, 0x54);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(info.bmiHeader), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const HBITMAP canvas =
            ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(canvas, nullptr);
        const HDC dc = ::CreateCompatibleDC(nullptr);
        const HGDIOBJ previous = ::SelectObject(dc, canvas);
        const HBRUSH brush = ::CreateSolidBrush(kGround);
        const RECT all{0, 0, size, size};
        ::FillRect(dc, &all, brush);
        ::DrawIconEx(dc, 0, 0, big, size, size, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        const Comparison icon = compare(
            [&](int x, int y) {
                const std::uint32_t pixel = pixels[y * size + x];
                return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
            },
            all, size == png.width() ? 3 : 32,
            [&](int x, int y) { return over(pixelAt(png, x, y, size, size), kGround); });
        EXPECT_EQ(icon.wrong, 0) << "the icon of " << icon.points << " points, " << icon.first;
        ::SelectObject(dc, previous);
        ::DeleteObject(brush);
        ::DeleteDC(dc);
        ::DeleteObject(canvas);
    });
    desktop.showModal(dialog);
    EXPECT_TRUE(played) << "the options dialog never showed";
}

}  // namespace
