#include "ui/win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/windows/Wide.h"
#include "ui/Utf8.h"

namespace ui::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"SumoraForm";
constexpr UINT kFirstMenuCommand = 1000;

std::wstring textOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

COLORREF colorRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

HBRUSH systemBrush(const Color& color) {
    return ::GetSysColorBrush(color.kind == Color::Kind::Window ? COLOR_WINDOW : COLOR_BTNFACE);
}

template <class Handler, class... Args>
void call(const Handler& handler, Args... args) {
    // A copy, as a handler may replace itself or unload its form while it runs.
    if (handler) {
        const Handler copy = handler;
        copy(args...);
    }
}

struct ClassAndStyle {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

// Captions are the system's static text in their alignment; pictures, and hyperlinks that show
// one instead of their caption, are drawn by the form.
DWORD staticType(const Control& control, bool showsPicture) {
    if (control.kind() == ControlKind::Picture ||
        (control.kind() == ControlKind::HyperLink && showsPicture)) {
        return SS_OWNERDRAW;
    }
    return control.alignment() == Alignment::Right    ? SS_RIGHT
           : control.alignment() == Alignment::Center ? SS_CENTER
                                                      : SS_LEFT;
}

ClassAndStyle classFor(const Control& control, bool showsPicture) {
    switch (control.kind()) {
        case ControlKind::Label:
        case ControlKind::HyperLink:
        case ControlKind::Picture:
            // A click on any of them is theirs.
            return {WC_STATICW, staticType(control, showsPicture) | SS_NOTIFY, 0};
        case ControlKind::TextBox: {
            const DWORD editAlign = control.alignment() == Alignment::Right    ? ES_RIGHT
                                    : control.alignment() == Alignment::Center ? ES_CENTER
                                                                               : ES_LEFT;
            return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL | editAlign, WS_EX_CLIENTEDGE};
        }
        case ControlKind::Button:
            return {WC_BUTTONW,
                    WS_TABSTOP |
                        static_cast<DWORD>(control.isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                    0};
        case ControlKind::CheckBox:
            return {WC_BUTTONW, WS_TABSTOP | BS_CHECKBOX, 0};
        case ControlKind::ListBox:
            return {WC_LISTBOXW, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                    WS_EX_CLIENTEDGE};
        case ControlKind::Frame:
            return {WC_BUTTONW, BS_GROUPBOX, 0};
        case ControlKind::ProgressBar:
            return {PROGRESS_CLASSW, 0, 0};
        case ControlKind::Animation:
            return {ANIMATE_CLASSW, ACS_TRANSPARENT, 0};
        case ControlKind::Timer:
        case ControlKind::Menu:
        case ControlKind::MenuItem:
            break;
    }
    return {nullptr, 0, 0};
}

constexpr int kProgressSteps = 10000;

int progressPosition(const Control& control) {
    if (control.maximum() <= 0) {
        return 0;
    }
    const auto value = std::clamp<std::int64_t>(control.value(), 0, control.maximum());
    return static_cast<int>(value * kProgressSteps / control.maximum());
}

// Pictures are drawn for 96 dpi at their own size.
constexpr int kPictureDpi = 96;

int wrapped(int offset, int period) {
    return period > 0 ? ((offset % period) + period) % period : 0;
}

}  // namespace

void FormWindow::registerClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &FormWindow::procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hIcon = ::LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
        windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.lpszClassName = kFormClass;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

FormWindow* FormWindow::of(HWND hwnd) {
    const HWND root = hwnd != nullptr ? ::GetAncestor(hwnd, GA_ROOT) : nullptr;
    if (root == nullptr) {
        return nullptr;
    }
    std::array<wchar_t, 32> name{};
    ::GetClassNameW(root, name.data(), static_cast<int>(name.size()));
    if (std::wstring_view(name.data()) != kFormClass) {
        return nullptr;
    }
    return reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(root, GWLP_USERDATA));
}

FormWindow::FormWindow(Form& form, BackendHost& host, const Scale& scale, HWND owner)
    : form_(form),
      host_(host),
      scale_(scale),
      backgroundPicture_(Picture::load(form.backgroundPicture())) {
    registerClass();
    const RECT outer = outerRect();
    const bool placed = form_.position().has_value();
    hwnd_ =
        ::CreateWindowExW(exStyle(), kFormClass, platform::widen(form_.caption()).c_str(), style(),
                          placed ? outer.left : CW_USEDEFAULT, placed ? outer.top : CW_USEDEFAULT,
                          outer.right - outer.left, outer.bottom - outer.top, owner, nullptr,
                          ::GetModuleHandleW(nullptr), this);
    applyForm(FormProperty::BackColor);
    applyForm(FormProperty::Icon);
    for (const auto& control : form_.controls()) {
        createControl(*control);
    }
    // Tab goes through the focusable controls in their tab order, which is the windows' order.
    std::vector<Control*> focusable;
    for (const auto& [control, widget] : widgets_) {
        if (control->tabIndex() >= 0 && widget.hwnd != nullptr) {
            focusable.push_back(control);
        }
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const Control* a, const Control* b) { return a->tabIndex() < b->tabIndex(); });
    HWND previous = HWND_TOP;
    for (Control* control : focusable) {
        const HWND child = widgets_[control].hwnd;
        ::SetWindowPos(child, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = child;
    }
    rebuildMenu();
    applyRegion();
    for (const auto& control : form_.controls()) {
        control->observer = [this](Control& changed, Property property) {
            applyControl(changed, property);
        };
        if (control->kind() == ControlKind::Timer) {
            armTimer(*control);
        }
    }
    form_.observer = [this](Form&, FormProperty property) { applyForm(property); };
}

FormWindow::~FormWindow() {
    form_.observer = nullptr;
    for (const auto& control : form_.controls()) {
        control->observer = nullptr;
    }
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
}

void FormWindow::show() {
    ::ShowWindow(hwnd_, form_.visible() ? SW_SHOW : SW_HIDE);
    ::UpdateWindow(hwnd_);
    for (const auto& [control, widget] : widgets_) {
        if (control->tabIndex() >= 0 && control->enabled() && form_.showsControl(*control)) {
            ::SetFocus(widget.hwnd);
            break;
        }
    }
}

Control* FormWindow::controlOf(HWND hwnd) const {
    for (const auto& [control, widget] : widgets_) {
        if (widget.hwnd == hwnd) {
            return control;
        }
    }
    return nullptr;
}

DWORD FormWindow::style() const {
    switch (form_.borderStyle()) {
        case BorderStyle::Sizable:
            return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        case BorderStyle::FixedDialog:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        case BorderStyle::None:
            break;
    }
    return WS_POPUP | WS_CLIPCHILDREN;
}

DWORD FormWindow::exStyle() const {
    return form_.borderStyle() == BorderStyle::FixedDialog ? WS_EX_DLGMODALFRAME : 0;
}

RECT FormWindow::outerRect() const {
    RECT rect{0, 0, scale_.x(form_.clientWidth()), scale_.y(form_.clientHeight())};
    ::AdjustWindowRectEx(&rect, style(), form_.hasMenuBar(), exStyle());
    if (const auto& position = form_.position()) {
        ::OffsetRect(&rect, scale_.x(position->left) - rect.left,
                     scale_.y(position->top) - rect.top);
    }
    return rect;
}

void FormWindow::createControl(Control& control) {
    if (control.kind() == ControlKind::Menu || control.kind() == ControlKind::MenuItem ||
        control.kind() == ControlKind::Timer) {
        return;
    }
    Widget& widget = widgets_[&control];
    if (control.kind() == ControlKind::Picture || control.kind() == ControlKind::HyperLink) {
        widget.picture = scaledPicture(control.picture());
    }
    const ClassAndStyle kind = classFor(control, widget.picture.has_value());
    widget.hwnd = ::CreateWindowExW(
        kind.exStyle, kind.name,
        control.kind() == ControlKind::TextBox ? L"" : platform::widen(control.text()).c_str(),
        WS_CHILD | kind.style, 0, 0, 0, 0, hwnd_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    for (const Property property :
         {Property::Geometry, Property::Font, Property::Enabled, Property::Visible,
          Property::BackColor, Property::Text, Property::Value, Property::Maximum, Property::Items,
          Property::ListIndex, Property::Clip}) {
        applyControl(control, property);
    }
}

void FormWindow::placeControl(Control& control) {
    Rect box = control.geometry();
    // Controls inside a frame are placed relative to it, on the form's own window.
    for (const Control* frame = &control; !frame->parentName().empty();) {
        frame = &form_.control(frame->parentName());
        box.left += frame->geometry().left;
        box.top += frame->geometry().top;
    }
    const Widget& widget = widgets_[&control];
    int width = scale_.x(box.width);
    if (control.autoSize() && control.kind() == ControlKind::Label) {
        // As wide as the caption in the label's font, instead of wrapping it.
        const HDC dc = ::GetDC(widget.hwnd);
        const HGDIOBJ previous = ::SelectObject(dc, widget.font.get());
        RECT text{};
        const std::wstring caption = platform::widen(control.text());
        ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                    DT_CALCRECT | DT_SINGLELINE);
        ::SelectObject(dc, previous);
        ::ReleaseDC(widget.hwnd, dc);
        width = text.right - text.left;
    }
    ::MoveWindow(widget.hwnd, scale_.x(box.left), scale_.y(box.top), width, scale_.y(box.height),
                 TRUE);
}

void FormWindow::applyControl(Control& control, Property property) {
    if (control.kind() == ControlKind::Menu || control.kind() == ControlKind::MenuItem) {
        rebuildMenu();
        return;
    }
    if (control.kind() == ControlKind::Timer) {
        armTimer(control);
        return;
    }
    Widget& widget = widgets_[&control];
    const HWND hwnd = widget.hwnd;
    if (hwnd == nullptr) {
        return;
    }
    settingFromCode_ = true;
    switch (property) {
        case Property::Text:
            ::SetWindowTextW(hwnd, platform::widen(control.text()).c_str());
            if (control.autoSize()) {
                placeControl(control);
            }
            break;
        case Property::Enabled:
            ::EnableWindow(hwnd, control.enabled());
            break;
        case Property::Visible:
            // A frame's visibility also hides what it holds.
            for (const auto& [other, otherWidget] : widgets_) {
                ::ShowWindow(otherWidget.hwnd, form_.showsControl(*other) ? SW_SHOWNA : SW_HIDE);
            }
            break;
        case Property::Geometry:
            placeControl(control);
            if (control.kind() == ControlKind::Frame) {
                for (const auto& [other, otherWidget] : widgets_) {
                    if (other->parentName() == control.name()) {
                        placeControl(*other);
                    }
                }
            }
            break;
        case Property::Font: {
            const Font& font = control.font();
            widget.font.reset(::CreateFontW(
                -::MulDiv(static_cast<int>(font.size * 100 + 0.5), scale_.dpiY, 7200), 0, 0, 0,
                font.weight, FALSE, font.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                font.face.empty() ? L"MS Shell Dlg 2" : platform::widen(font.face).c_str()));
            ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(widget.font.get()), TRUE);
            if (control.autoSize()) {
                placeControl(control);
            }
            break;
        }
        case Property::BackColor:
        case Property::BackStyle:
            widget.brush.reset(control.backColor().kind == Color::Kind::Rgb
                                   ? ::CreateSolidBrush(colorRef(control.backColor().rgb))
                                   : nullptr);
            ::InvalidateRect(hwnd, nullptr, TRUE);
            break;
        case Property::Selection: {
            const int start = utf16IndexOfCodePoint(control.text(), control.selStart());
            const int end =
                utf16IndexOfCodePoint(control.text(), control.selStart() + control.selLength());
            ::SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(start), end);
            break;
        }
        case Property::Value:
            if (control.kind() == ControlKind::CheckBox) {
                ::SendMessageW(hwnd, BM_SETCHECK, control.value() != 0 ? BST_CHECKED : 0, 0);
            } else if (control.kind() == ControlKind::ProgressBar) {
                ::SendMessageW(hwnd, PBM_SETPOS, static_cast<WPARAM>(progressPosition(control)), 0);
            }
            break;
        case Property::Maximum:
            if (control.kind() == ControlKind::ProgressBar) {
                ::SendMessageW(hwnd, PBM_SETRANGE32, 0, kProgressSteps);
                ::SendMessageW(hwnd, PBM_SETPOS, static_cast<WPARAM>(progressPosition(control)), 0);
            }
            break;
        case Property::Items:
            if (control.kind() == ControlKind::ListBox) {
                ::SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
                for (const auto& item : control.items()) {
                    ::SendMessageW(hwnd, LB_ADDSTRING, 0,
                                   reinterpret_cast<LPARAM>(platform::widen(item).c_str()));
                }
            }
            [[fallthrough]];
        case Property::ListIndex:
            if (control.kind() == ControlKind::ListBox) {
                ::SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(control.listIndex()), 0);
            }
            break;
        case Property::Clip:
            if (control.kind() == ControlKind::Animation) {
                // The system's player opens the clip file itself, by its native path.
                const std::wstring path =
                    control.clipPath().empty()
                        ? std::wstring()
                        : platform::widen(platform::fileSystem().toNative(control.clipPath()));
                ::SendMessageW(hwnd, ACM_OPENW, 0,
                               path.empty() ? 0 : reinterpret_cast<LPARAM>(path.c_str()));
                // Auto-play may be switched on after the window was made, so it is not a style.
                if (!path.empty() && control.autoPlay()) {
                    ::SendMessageW(hwnd, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, -1));
                }
            }
            break;
        case Property::Picture:
            if (control.kind() == ControlKind::Picture ||
                control.kind() == ControlKind::HyperLink) {
                widget.picture = scaledPicture(control.picture());
                const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
                const auto type =
                    static_cast<LONG_PTR>(staticType(control, widget.picture.has_value()));
                if ((style & SS_TYPEMASK) != type) {
                    ::SetWindowLongPtrW(hwnd, GWL_STYLE, (style & ~LONG_PTR{SS_TYPEMASK}) | type);
                }
                ::InvalidateRect(hwnd, nullptr, TRUE);
            }
            break;
        case Property::Alignment:
        case Property::Interval:
        case Property::Url:
        case Property::Default:
        case Property::Cancel:
            break;
    }
    settingFromCode_ = false;
}

void FormWindow::applyForm(FormProperty property) {
    switch (property) {
        case FormProperty::Caption:
            ::SetWindowTextW(hwnd_, platform::widen(form_.caption()).c_str());
            break;
        case FormProperty::Position:
        case FormProperty::BorderStyle: {
            ::SetWindowLongPtrW(hwnd_, GWL_STYLE,
                                static_cast<LONG_PTR>(style() | WS_VISIBLE) &
                                    (::IsWindowVisible(hwnd_) ? ~0 : ~WS_VISIBLE));
            ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle()));
            const RECT outer = outerRect();
            const UINT keepPlace = form_.position() ? 0 : SWP_NOMOVE;
            ::SetWindowPos(hwnd_, nullptr, outer.left, outer.top, outer.right - outer.left,
                           outer.bottom - outer.top,
                           keepPlace | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            break;
        }
        case FormProperty::Visible:
            ::ShowWindow(hwnd_, form_.visible() ? SW_SHOW : SW_HIDE);
            break;
        case FormProperty::BackColor:
            background_.reset(form_.backColor().kind == Color::Kind::Rgb
                                  ? ::CreateSolidBrush(colorRef(form_.backColor().rgb))
                                  : nullptr);
            // The background picture lies on the colour where it lets it through.
            backdrop_.reset();
            backdropBitmap_.reset();
            backdropSize_ = {};
            ::InvalidateRect(hwnd_, nullptr, TRUE);
            break;
        case FormProperty::Region:
            applyRegion();
            break;
        case FormProperty::Icon:
            applyIcon();
            break;
    }
}

void FormWindow::applyIcon() {
    const std::optional<Picture> picture = Picture::load(form_.icon());
    IconHandle small =
        picture ? picture->icon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON))
                : nullptr;
    IconHandle big =
        picture ? picture->icon(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON))
                : nullptr;
    if (!small && !big && !smallIcon_ && !bigIcon_) {
        // The window keeps its class's icon, the program's own.
        return;
    }
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    // The earlier icons go only now that the window no longer shows them.
    smallIcon_ = std::move(small);
    bigIcon_ = std::move(big);
}

std::optional<Picture> FormWindow::scaledPicture(const std::string& name) const {
    std::optional<Picture> picture = Picture::load(name);
    if (!picture) {
        return std::nullopt;
    }
    const int width = ::MulDiv(picture->width(), scale_.dpiX, kPictureDpi);
    const int height = ::MulDiv(picture->height(), scale_.dpiY, kPictureDpi);
    if (width == picture->width() && height == picture->height()) {
        return picture;
    }
    return picture->scaled(width, height);
}

HBRUSH FormWindow::backdrop() {
    if (!backgroundPicture_) {
        return nullptr;
    }
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const SIZE size{client.right - client.left, client.bottom - client.top};
    // A minimised window has no client area; its backdrop stays for when it comes back.
    if (size.cx <= 0 || size.cy <= 0 ||
        (size.cx == backdropSize_.cx && size.cy == backdropSize_.cy)) {
        return backdrop_.get();
    }
    const bool stretch =
        size.cx != backgroundPicture_->width() || size.cy != backgroundPicture_->height();
    const std::optional<Picture> stretched =
        stretch ? backgroundPicture_->scaled(size.cx, size.cy) : std::nullopt;
    if (stretch && !stretched) {
        return backdrop_.get();
    }
    const HDC screen = ::GetDC(hwnd_);
    const HDC memory = ::CreateCompatibleDC(screen);
    GdiObject<HBITMAP> bitmap(::CreateCompatibleBitmap(screen, size.cx, size.cy));
    const HGDIOBJ previous = ::SelectObject(memory, bitmap.get());
    const RECT all{0, 0, size.cx, size.cy};
    ::FillRect(memory, &all, background_ ? background_.get() : systemBrush(form_.backColor()));
    (stretched ? *stretched : *backgroundPicture_).draw(memory, 0, 0);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::ReleaseDC(hwnd_, screen);
    // The brush is what the form, its captions and its pictures fill their ground with.
    backdrop_.reset(bitmap ? ::CreatePatternBrush(bitmap.get()) : nullptr);
    backdropBitmap_ = std::move(bitmap);
    backdropSize_ = backdrop_ ? size : SIZE{};
    return backdrop_.get();
}

HBRUSH FormWindow::groundFor(HDC dc, HWND window) {
    if (const HBRUSH picture = backdrop()) {
        // The pattern starts at the form's top left, wherever the window lies on it.
        POINT origin{0, 0};
        ::MapWindowPoints(window, hwnd_, &origin, 1);
        ::SetBrushOrgEx(dc, wrapped(-origin.x, backdropSize_.cx),
                        wrapped(-origin.y, backdropSize_.cy), nullptr);
        return picture;
    }
    return background_ ? background_.get() : systemBrush(form_.backColor());
}

HBRUSH FormWindow::brushFor(Control& control, HDC dc, HWND window) {
    if (control.backStyle() == BackStyle::Transparent) {
        ::SetBkMode(dc, TRANSPARENT);
        return groundFor(dc, window);
    }
    if (const auto& brush = widgets_[&control].brush) {
        ::SetBkColor(dc, colorRef(control.backColor().rgb));
        return brush.get();
    }
    const bool box = control.backColor().kind == Color::Kind::Window ||
                     control.kind() == ControlKind::TextBox ||
                     control.kind() == ControlKind::ListBox;
    ::SetBkColor(dc, ::GetSysColor(box ? COLOR_WINDOW : COLOR_BTNFACE));
    return ::GetSysColorBrush(box ? COLOR_WINDOW : COLOR_BTNFACE);
}

void FormWindow::drawPicture(Control& control, const DRAWITEMSTRUCT& item) {
    ::FillRect(item.hDC, &item.rcItem, brushFor(control, item.hDC, item.hwndItem));
    const std::optional<Picture>& shown = widgets_[&control].picture;
    if (!shown) {
        return;
    }
    const Picture& picture = *shown;
    int left = item.rcItem.left;
    if (control.kind() == ControlKind::HyperLink) {
        // Where its caption would stand.
        const int room = item.rcItem.right - item.rcItem.left - picture.width();
        left += control.alignment() == Alignment::Right    ? room
                : control.alignment() == Alignment::Center ? room / 2
                                                           : 0;
    }
    picture.draw(item.hDC, left, item.rcItem.top);
}

void FormWindow::applyRegion() {
    const auto& region = form_.region();
    if (!region) {
        ::SetWindowRgn(hwnd_, nullptr, TRUE);
        return;
    }
    // Given in pixels at 96 dpi, like the rest of the form's layout.
    const auto px = [this](int pixels) { return ::MulDiv(pixels, scale_.dpiX, 96); };
    const HRGN shape = ::CreateRoundRectRgn(0, 0, px(region->width) + 1, px(region->height) + 1,
                                            px(region->ellipseWidth), px(region->ellipseHeight));
    // The window owns the region from here on.
    ::SetWindowRgn(hwnd_, shape, TRUE);
}

void FormWindow::rebuildMenu() {
    if (!form_.hasMenuBar()) {
        return;
    }
    menuCommands_.clear();
    UINT next = kFirstMenuCommand;
    const auto fill = [&](auto& self, HMENU into, const std::string& parent) -> void {
        for (const auto& control : form_.controls()) {
            const bool entry =
                control->kind() == ControlKind::Menu || control->kind() == ControlKind::MenuItem;
            if (!entry || control->parentName() != parent || !control->visible()) {
                continue;
            }
            const UINT grayed = control->enabled() ? 0 : MF_GRAYED;
            const std::wstring text = platform::widen(control->text());
            const bool hasItems = std::any_of(
                form_.controls().begin(), form_.controls().end(),
                [&](const auto& other) { return other->parentName() == control->name(); });
            if (control->text() == "-") {
                ::AppendMenuW(into, MF_SEPARATOR, 0, nullptr);
            } else if (hasItems || parent.empty()) {
                const HMENU popup = ::CreatePopupMenu();
                self(self, popup, control->name());
                ::AppendMenuW(into, MF_POPUP | grayed, reinterpret_cast<UINT_PTR>(popup),
                              text.c_str());
            } else {
                menuCommands_[next] = control.get();
                ::AppendMenuW(into, MF_STRING | grayed, next++, text.c_str());
            }
        }
    };
    const HMENU bar = ::CreateMenu();
    fill(fill, bar, std::string());
    const HMENU previous = ::GetMenu(hwnd_);
    ::SetMenu(hwnd_, bar);
    if (previous != nullptr) {
        ::DestroyMenu(previous);
    }
    ::DrawMenuBar(hwnd_);
}

void FormWindow::armTimer(Control& timer) {
    const auto id = reinterpret_cast<UINT_PTR>(&timer);
    if (timer.enabled() && timer.interval() > 0) {
        timers_[id] = &timer;
        ::SetTimer(hwnd_, id, static_cast<UINT>(timer.interval()), nullptr);
    } else {
        timers_.erase(id);
        ::KillTimer(hwnd_, id);
    }
}

LRESULT CALLBACK FormWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* window = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr || window->hwnd_ == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return window->handle(message, wParam, lParam);
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            command(wParam, lParam);
            return 0;
        case WM_TIMER:
            if (const auto found = timers_.find(wParam); found != timers_.end()) {
                host_.timerElapsed(form_, *found->second);
            }
            return 0;
        case WM_CLOSE:
            // Whether the form goes is the shared layer's decision.
            host_.userClosed(form_);
            return 0;
        case WM_LBUTTONUP:
            host_.userClickedForm(form_);
            return 0;
        case WM_SIZE:
            if (backgroundPicture_) {
                // The picture stretches with the client area: it and all on it are drawn anew.
                ::RedrawWindow(hwnd_, nullptr, nullptr,
                               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            }
            break;
        case WM_ERASEBKGND: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            RECT client{};
            ::GetClientRect(hwnd_, &client);
            ::FillRect(dc, &client, groundFor(dc, hwnd_));
            return 1;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            Control* control = item->CtlType == ODT_STATIC ? controlOf(item->hwndItem) : nullptr;
            if (control == nullptr) {
                break;
            }
            drawPicture(*control, *item);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX: {
            Control* control = controlOf(reinterpret_cast<HWND>(lParam));
            if (control == nullptr) {
                break;
            }
            const auto dc = reinterpret_cast<HDC>(wParam);
            if (control->kind() == ControlKind::HyperLink) {
                ::SetTextColor(dc, RGB(0, 0, 0xCC));
            }
            return reinterpret_cast<LRESULT>(
                brushFor(*control, dc, reinterpret_cast<HWND>(lParam)));
        }
        default:
            break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void FormWindow::command(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) {
        if (const auto found = menuCommands_.find(LOWORD(wParam)); found != menuCommands_.end()) {
            host_.userClicked(form_, *found->second);
        }
        return;
    }
    const auto child = reinterpret_cast<HWND>(lParam);
    Control* control = controlOf(child);
    if (control == nullptr || settingFromCode_) {
        return;
    }
    const WORD code = HIWORD(wParam);
    switch (control->kind()) {
        case ControlKind::TextBox:
            if (code == EN_CHANGE) {
                host_.userChangedText(form_, *control, platform::narrow(textOf(child)));
            } else if (code == EN_SETFOCUS) {
                call(control->onGotFocus);
            }
            break;
        case ControlKind::Button:
            if (code == BN_CLICKED) {
                host_.userClicked(form_, *control);
            }
            break;
        case ControlKind::CheckBox:
            if (code == BN_CLICKED) {
                host_.userChangedValue(form_, *control, control->value() != 0 ? 0 : 1);
                // The box shows the model's value, whether or not the change was taken.
                ::SendMessageW(child, BM_SETCHECK, control->value() != 0 ? BST_CHECKED : 0, 0);
            }
            break;
        case ControlKind::ListBox:
            if (code == LBN_SELCHANGE) {
                host_.userChangedListIndex(
                    form_, *control, static_cast<int>(::SendMessageW(child, LB_GETCURSEL, 0, 0)));
            }
            break;
        case ControlKind::Label:
        case ControlKind::Picture:
        case ControlKind::HyperLink:
            if (code == STN_CLICKED) {
                host_.userClicked(form_, *control);
            }
            break;
        default:
            break;
    }
}

}  // namespace ui::win32
