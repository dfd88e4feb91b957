#pragma once

#include <functional>
#include <string>
#include <vector>

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

// Pixels at 96 dpi, relative to the form's client area (or to the parent frame).
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

enum class Property {
    Text,
    Enabled,
    Visible,
    Geometry,
    FontSize,
    Selection,
    Value,
    Maximum,
    Items,
    ListIndex,
    Interval,
    Picture,
    Url,
};

// One named control of a form. The form logic reads and sets properties and installs handlers;
// a backend mirrors the properties onto real widgets (it is told of every change through the
// observer) and calls the handlers when the user acts.
class Control {
public:
    Control(ControlKind kind, std::string name) : kind_(kind), name_(std::move(name)) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }

    // Caption of labels, buttons, menus and check boxes; contents of text boxes. An "&" marks
    // the access key. Setting a different text fires the change handler, as typing does.
    const std::string& text() const { return text_; }
    void setText(const std::string& text);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    const Rect& geometry() const { return geometry_; }
    void setGeometry(const Rect& geometry);
    double fontSize() const { return fontSize_; }
    void setFontSize(double points);

    // Labels: grow to the width of their caption instead of wrapping it.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize) { autoSize_ = autoSize; }

    // Tab order among focusable controls; -1 takes no focus by tab.
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int index) { tabIndex_ = index; }

    // Selection in a text box, in characters (code points) of text().
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    void setSelection(int start, int length);

    // Progress bars and check boxes (0 unchecked, 1 checked).
    int value() const { return value_; }
    void setValue(int value);
    int maximum() const { return maximum_; }
    void setMaximum(int maximum);

    const std::vector<std::string>& items() const { return items_; }
    void setItems(std::vector<std::string> items);
    int listIndex() const { return listIndex_; }
    void setListIndex(int index);

    // Timers: interval in milliseconds; they run while enabled and visible to the backend.
    int interval() const { return interval_; }
    void setInterval(int milliseconds);

    // Pictures and animations: a resource name the backend knows how to draw or play.
    const std::string& picture() const { return picture_; }
    void setPicture(const std::string& resource);

    // Hyperlink labels open this address when clicked.
    const std::string& url() const { return url_; }
    void setUrl(const std::string& url);

    // Menu items belong to a menu; menus to the form's menu bar (empty parent).
    const std::string& parentName() const { return parentName_; }
    void setParentName(const std::string& parent) { parentName_ = parent; }

    std::function<void()> onClick;
    std::function<void()> onChange;
    std::function<void()> onGotFocus;
    std::function<void()> onTimer;
    std::function<void(int keyCode, int shift)> onKeyDown;

    // The backend's mirror: told after every property change made by code or by the user.
    std::function<void(Control&, Property)> observer;

    // Backend entry points: the user's own edits, which update the model without echoing back.
    void userSetsText(const std::string& text);
    void userSetsSelection(int start, int length);
    void userSetsValue(int value);
    void userSetsListIndex(int index);

private:
    void changed(Property property);
    void assignText(const std::string& text, bool fromUser);

    ControlKind kind_;
    std::string name_;
    std::string text_;
    bool enabled_ = true;
    bool visible_ = true;
    Rect geometry_;
    double fontSize_ = 8.25;
    int tabIndex_ = -1;
    int selStart_ = 0;
    int selLength_ = 0;
    int value_ = 0;
    int maximum_ = 100;
    std::vector<std::string> items_;
    int listIndex_ = -1;
    int interval_ = 0;
    std::string picture_;
    std::string url_;
    std::string parentName_;
    bool autoSize_ = false;
    bool notifying_ = false;
};

}  // namespace ui
