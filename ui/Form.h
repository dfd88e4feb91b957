#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Appearance.h"
#include "ui/Control.h"

namespace ui {

class Desktop;

enum class FormProperty {
    Caption,
    Position,
    Visible,
    BorderStyle,
    Icon,
    BackColor,
    Region,
};

struct Point {
    double left = 0;
    double top = 0;
    bool operator==(const Point&) const = default;
};

// Everything a form's design sets on the form itself.
struct FormState {
    std::string caption;
    std::optional<Point> position;  // twips on the screen; nothing: where the system puts it
    int clientWidth = 0;            // twips
    int clientHeight = 0;           // twips
    BorderStyle borderStyle = BorderStyle::Sizable;
    std::string icon;
    Color backColor;
    std::string backgroundPicture;
    bool visible = true;
    std::optional<RoundRectRegion> region;
    Font font;
    bool keyPreview = false;
};

// A window described as data: caption, placement, client size, looks and named controls,
// written once by the window's logic and shown by whichever backend runs the program. A
// Desktop loads, shows and unloads it; each load starts again from the design, which is what
// the constructor of the window's class set up.
class Form {
public:
    explicit Form(std::string name) : name_(std::move(name)) {}
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    const std::string& name() const { return name_; }

    const std::string& caption() const { return state_.caption; }
    void setCaption(const std::string& caption);
    const std::optional<Point>& position() const { return state_.position; }
    void move(double leftTwips, double topTwips);
    int clientWidth() const { return state_.clientWidth; }
    int clientHeight() const { return state_.clientHeight; }
    void setClientSize(int widthTwips, int heightTwips);
    BorderStyle borderStyle() const { return state_.borderStyle; }
    void setBorderStyle(BorderStyle style);
    const std::string& icon() const { return state_.icon; }
    void setIcon(const std::string& resource);
    const Color& backColor() const { return state_.backColor; }
    void setBackColor(const Color& color);
    const std::string& backgroundPicture() const { return state_.backgroundPicture; }
    void setBackgroundPicture(const std::string& resource) { state_.backgroundPicture = resource; }
    // A form may be loaded and hidden; showing it makes it visible.
    bool visible() const { return state_.visible; }
    void setVisible(bool visible);
    const std::optional<RoundRectRegion>& region() const { return state_.region; }
    void setRegion(const std::optional<RoundRectRegion>& region);
    // The font controls added after it is set start with.
    const Font& font() const { return state_.font; }
    void setFont(const Font& font) { state_.font = font; }
    // With key preview the form's key handler sees every key first, whatever has the focus.
    bool keyPreview() const { return state_.keyPreview; }
    void setKeyPreview(bool preview) { state_.keyPreview = preview; }

    // Adds a control; names are unique within the form. Controls keep the order of creation,
    // which is also the order in which menus and menu items appear.
    Control& add(ControlKind kind, const std::string& name, const std::string& text = {},
                 Rect geometry = {});
    Control& control(const std::string& name);
    const Control& control(const std::string& name) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // Whether the control shows: it and every frame that contains it are visible.
    bool showsControl(const Control& control) const;
    bool hasMenuBar() const;

    // Runs at each load, before the window first appears; it may show message boxes, move the
    // form and even unload it again.
    std::function<void()> onLoad;
    // Runs once per load when the form unloads, whatever unloads it.
    std::function<void()> onUnload;
    // A click on the form's own background.
    std::function<void()> onClick;
    // A key pressed while the form is active (key code, shift mask: 1 Shift, 2 Ctrl, 4 Alt);
    // without key preview only when no control took it.
    std::function<void(int keyCode, int shift)> onKeyDown;

    // The backend's mirror of the form's own properties.
    std::function<void(Form&, FormProperty)> observer;

    // The design: taken at the first load, restored at every later one.
    void keepDesign();
    void restoreDesign();

private:
    friend class Desktop;

    void changed(FormProperty property);

    std::string name_;
    FormState state_;
    std::optional<FormState> design_;
    std::vector<std::unique_ptr<Control>> controls_;
    Desktop* loadedBy_ = nullptr;
};

}  // namespace ui
