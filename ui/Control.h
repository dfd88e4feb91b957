#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Appearance.h"

namespace ui::animation {
struct Clip;
}

namespace ui {

enum class ControlKind {
    Label,
    TextBox,
    Button,
    CheckBox,
    ListBox,
    Frame,
    Picture,
    HyperLink,
    ProgressBar,
    Animation,
    Timer,
    Menu,
    MenuItem,
};

enum class Property {
    Text,
    Enabled,
    Visible,
    Geometry,
    Font,
    Alignment,
    BackStyle,
    BackColor,
    Selection,
    Value,
    Maximum,
    Items,
    ListIndex,
    Interval,
    Picture,
    Url,
    Default,
    Cancel,
    Clip,
};

enum class Event { None, Change, Click };

// Which event a change fires, the same for code and user and for every backend. A change
// that sets a property to the value it already has fires nothing.
//   Text of any control          -> Change (typing and code alike)
//   Value of a check box          -> Click  (ticking it and code alike)
//   ListIndex of a list box       -> Click  (choosing an entry and code alike)
//   everything else               -> nothing
constexpr Event eventFor(ControlKind kind, Property property) {
    if (property == Property::Text) {
        return Event::Change;
    }
    if ((property == Property::Value && kind == ControlKind::CheckBox) ||
        (property == Property::ListIndex && kind == ControlKind::ListBox)) {
        return Event::Click;
    }
    return Event::None;
}

// Everything a form's design sets on a control; a load of the form starts from it again.
struct ControlState {
    std::string text;
    bool enabled = true;
    bool visible = true;
    Rect geometry;
    Font font;
    Alignment alignment = Alignment::Left;
    BackStyle backStyle = BackStyle::Opaque;
    Color backColor;
    bool autoSize = false;
    int tabIndex = -1;
    int selStart = 0;
    int selLength = 0;
    std::int64_t value = 0;
    std::int64_t maximum = 100;
    std::vector<std::string> items;
    int listIndex = -1;
    int interval = 0;
    std::string picture;
    std::string url;
    std::string parentName;
    bool isDefault = false;
    bool isCancel = false;
    bool autoPlay = false;
    std::string clipPath;
    std::shared_ptr<const animation::Clip> clip;
};

// One named control of a form. The form's logic reads and sets properties and installs
// handlers; a backend mirrors the properties onto real widgets (the observer tells it of every
// change) and reports the user's actions through the user... entry points.
class Control {
public:
    Control(ControlKind kind, std::string name) : kind_(kind), name_(std::move(name)) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }

    // Caption of labels, buttons, frames, menus and check boxes; contents of text boxes. An "&"
    // marks the access key and "&&" stands for "&". A menu item captioned "-" is a separator.
    const std::string& text() const { return state_.text; }
    void setText(const std::string& text);

    bool enabled() const { return state_.enabled; }
    void setEnabled(bool enabled);
    bool visible() const { return state_.visible; }
    void setVisible(bool visible);
    const Rect& geometry() const { return state_.geometry; }
    void setGeometry(const Rect& geometry);
    const Font& font() const { return state_.font; }
    void setFont(const Font& font);
    void setFontSize(double points);
    void setFontWeight(int weight);

    Alignment alignment() const { return state_.alignment; }
    void setAlignment(Alignment alignment);
    BackStyle backStyle() const { return state_.backStyle; }
    void setBackStyle(BackStyle style);
    const Color& backColor() const { return state_.backColor; }
    void setBackColor(const Color& color);

    // Labels: grow to the width of their caption instead of wrapping it.
    bool autoSize() const { return state_.autoSize; }
    void setAutoSize(bool autoSize) { state_.autoSize = autoSize; }

    // Tab order among focusable controls; -1 takes no focus by tab.
    int tabIndex() const { return state_.tabIndex; }
    void setTabIndex(int index) { state_.tabIndex = index; }

    // Selection in a text box, in code points of text().
    int selStart() const { return state_.selStart; }
    int selLength() const { return state_.selLength; }
    void setSelection(int start, int length);

    // Check boxes (0 clear, 1 ticked) and progress bars (bytes, say, up to the maximum).
    std::int64_t value() const { return state_.value; }
    void setValue(std::int64_t value);
    std::int64_t maximum() const { return state_.maximum; }
    void setMaximum(std::int64_t maximum);

    const std::vector<std::string>& items() const { return state_.items; }
    void setItems(std::vector<std::string> items);
    int listIndex() const { return state_.listIndex; }
    void setListIndex(int index);

    // Timers: interval in milliseconds; they run while enabled and their form has a window.
    int interval() const { return state_.interval; }
    void setInterval(int milliseconds);

    // Pictures, hyperlink labels shown as a picture, and the form background: a resource name
    // the backend knows how to draw.
    const std::string& picture() const { return state_.picture; }
    void setPicture(const std::string& resource);

    // Hyperlink labels open this address when clicked, before their click handler runs.
    const std::string& url() const { return state_.url; }
    void setUrl(const std::string& url);

    // Controls inside a frame name it; menu items name their menu; menus of the bar none.
    const std::string& parentName() const { return state_.parentName; }
    void setParentName(const std::string& parent) { state_.parentName = parent; }

    // Buttons: Enter presses the default button, Esc the cancel button, wherever the focus is.
    bool isDefault() const { return state_.isDefault; }
    void setDefault(bool isDefault);
    bool isCancel() const { return state_.isCancel; }
    void setCancel(bool isCancel);

    // Animation players: with auto-play an opened clip plays at once and repeats.
    bool autoPlay() const { return state_.autoPlay; }
    void setAutoPlay(bool autoPlay) { state_.autoPlay = autoPlay; }
    // Opens an RLE8 AVI clip from a program path; false (and nothing open) for a clip that
    // cannot be read or decoded.
    bool openClip(const std::string& path);
    void closeClip();
    const std::string& clipPath() const { return state_.clipPath; }
    const std::shared_ptr<const animation::Clip>& clip() const { return state_.clip; }

    std::function<void()> onClick;
    std::function<void()> onChange;
    std::function<void()> onGotFocus;
    std::function<void()> onTimer;
    std::function<void(int keyCode, int shift)> onKeyDown;

    // The backend's mirror: told after every property change made by code.
    std::function<void(Control&, Property)> observer;

    // Backend entry points for the user's own actions. They update the model without echoing
    // back to the observer and fire the events the change table names.
    void userSetsText(const std::string& text);
    void userSetsSelection(int start, int length);
    void userSetsValue(std::int64_t value);
    void userSetsListIndex(int index);
    void userClicks();

    // The design: taken when the form is first loaded, restored at every later load.
    void keepDesign();
    void restoreDesign();

private:
    void changed(Property property);
    void fire(Event event);
    void assignText(const std::string& text, bool fromUser);

    ControlKind kind_;
    std::string name_;
    ControlState state_;
    std::optional<ControlState> design_;
    bool notifying_ = false;
};

}  // namespace ui
