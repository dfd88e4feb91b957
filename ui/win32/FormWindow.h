#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>

#include "ui/Backend.h"
#include "ui/Form.h"
#include "ui/win32/GdiObject.h"
#include "ui/win32/Picture.h"

namespace ui::win32 {

// How twips become pixels on this screen.
struct Scale {
    int dpiX = 96;
    int dpiY = 96;
    int x(double twips) const { return static_cast<int>(twips * dpiX / 1440.0 + 0.5); }
    int y(double twips) const { return static_cast<int>(twips * dpiY / 1440.0 + 0.5); }
};

// The window of one loaded form: its controls as child windows of the system's classes, its
// menu bar, timers and region, kept in step with the model through the observers. The pictures
// the form names are drawn here: its background stretched over the client area (and behind its
// transparent captions), pictures and pictured hyperlinks on it, its icon. The user's actions go
// to the host.
class FormWindow {
public:
    FormWindow(Form& form, BackendHost& host, const Scale& scale, HWND owner);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    static void registerClass();
    // The form window that holds hwnd (itself or a control), or nullptr.
    static FormWindow* of(HWND hwnd);

    HWND hwnd() const { return hwnd_; }
    Form& form() const { return form_; }
    // The control whose window is hwnd; nullptr for the form itself or an unknown window.
    Control* controlOf(HWND hwnd) const;

    void show();

private:
    struct Widget {
        HWND hwnd = nullptr;
        GdiObject<HFONT> font;
        GdiObject<HBRUSH> brush;
        // Pictures and hyperlinks shown as one, at the screen's scale.
        std::optional<Picture> picture;
    };

    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(WPARAM wParam, LPARAM lParam);

    void createControl(Control& control);
    void applyControl(Control& control, Property property);
    void applyForm(FormProperty property);
    void placeControl(Control& control);
    void rebuildMenu();
    void armTimer(Control& timer);
    void applyRegion();
    void applyIcon();
    // The picture of that name at the screen's scale; nothing if there is none.
    std::optional<Picture> scaledPicture(const std::string& name) const;
    // The form's own ground as the window at that place of it shows it: the background picture
    // lined up with the client area, or the form's colour.
    HBRUSH groundFor(HDC dc, HWND window);
    // The brush a control's background is filled with; sets the DC's colours to go with it.
    HBRUSH brushFor(Control& control, HDC dc, HWND window);
    // The background picture stretched over the client area, as a pattern brush; null without one.
    HBRUSH backdrop();
    void drawPicture(Control& control, const DRAWITEMSTRUCT& item);
    RECT outerRect() const;
    DWORD style() const;
    DWORD exStyle() const;

    Form& form_;
    BackendHost& host_;
    Scale scale_;
    HWND hwnd_ = nullptr;
    HMENU menu_ = nullptr;
    std::map<Control*, Widget> widgets_;
    std::map<UINT, Control*> menuCommands_;
    std::map<UINT_PTR, Control*> timers_;
    GdiObject<HBRUSH> background_;
    std::optional<Picture> backgroundPicture_;
    GdiObject<HBITMAP> backdropBitmap_;
    GdiObject<HBRUSH> backdrop_;
    SIZE backdropSize_{};
    IconHandle smallIcon_;
    IconHandle bigIcon_;
    bool settingFromCode_ = false;
};

}  // namespace ui::win32
