#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"
#include "ui/FileDialogPolicy.h"
#include "ui/Utf8.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace ui {
namespace {

TEST(FileDialogPolicy, ParsesFiltersAsTheWindowsDialogReadsThem) {
    EXPECT_EQ(parseFilter("Všechny soubory (*.*)|*.*"),
              (std::vector<NameFilter>{{"Všechny soubory (*.*)", {"*"}}}));
    EXPECT_EQ(parseFilter("Obrázky|*.jpg; *.PNG|Bez vzoru||CRC|*.CRC"),
              (std::vector<NameFilter>{{"Obrázky", {"*.jpg", "*.PNG"}}, {"CRC", {"*.CRC"}}}));
    EXPECT_TRUE(parseFilter("").empty());
    EXPECT_TRUE(parseFilter("jen popis").empty());
}

TEST(FileDialogPolicy, StartsInTheFolderTheStateNames) {
    testing_support::TempFolder folder;
    const std::string file = folder.writeFile("sub/a.bin", "x");
    const std::string sub = folder.programPath() + "sub\\";
    const struct {
        std::string initDir;
        std::string fileName;
        std::string start;
    } cases[] = {
        {folder.programPath(), file, folder.programPath()},  // a folder itself
        {file, "", sub},                                     // the folder of a file
        {folder.programPath() + "missing", file, sub},       // else the last name's folder
        {"", "", ""},
    };
    for (const auto& c : cases) {
        CommonDialog dialog;
        dialog.initDir = c.initDir;
        dialog.fileName = c.fileName;
        dialog.defaultExt = "*";
        const FileDialogRequest request = openFileRequest(dialog);
        EXPECT_EQ(request.startFolder, c.start) << c.initDir;
        EXPECT_EQ(request.defaultExtension, "");
    }
    CommonDialog named;
    named.fileName = file;
    named.defaultExt = "CRC";
    EXPECT_EQ(openFileRequest(named).fileName, "a.bin");
    EXPECT_EQ(openFileRequest(named).defaultExtension, "CRC");
}

TEST(Utf8, MapsCodePointsToUtf16Units) {
    const std::string text =
        "a\xC4\x8D\xF0\x9F\x98\x80"
        "b";  // a, č, an emoji (two UTF-16 units), b
    EXPECT_EQ(codePointCount(text), 4);
    const int units[] = {0, 1, 2, 4, 5, 5};
    for (int codePoint = 0; codePoint <= 5; ++codePoint) {
        EXPECT_EQ(utf16IndexOfCodePoint(text, codePoint), units[codePoint]) << codePoint;
    }
    EXPECT_EQ(codePointOfUtf16Index(text, 4), 3);
    EXPECT_EQ(codePointOfUtf16Index(text, 9), 4);
}

TEST(FormModel, OuterSizeAddsTheDecorationsOfTheBorderStyle) {
    ScriptedDesktop desktop;
    Form form("frmSized");
    form.setClientSize(6150, 4560);
    form.setBorderStyle(BorderStyle::None);
    EXPECT_EQ(desktop.outerSize(form).width, 6150);
    EXPECT_EQ(desktop.outerSize(form).height, 4560);
    form.setBorderStyle(BorderStyle::FixedDialog);
    EXPECT_EQ(desktop.outerSize(form).width, 6150 + 6 * 15);
    EXPECT_EQ(desktop.outerSize(form).height, 4560 + 29 * 15);
    desktop.screenMetrics.twipsPerPixelY = 12;
    form.add(ControlKind::Menu, "mnuFile", "&Soubor");
    EXPECT_EQ(desktop.outerSize(form).height, 4560 + (29 + 20) * 12) << "with a menu bar";
}

TEST(FormModel, ControlsInAHiddenFrameDoNotShow) {
    Form form("frmFramed");
    Control& frame = form.add(ControlKind::Frame, "fraPage");
    Control& inside = form.add(ControlKind::CheckBox, "chkInside");
    inside.setParentName("fraPage");
    EXPECT_TRUE(form.showsControl(inside));
    frame.setVisible(false);
    EXPECT_FALSE(form.showsControl(inside));
    EXPECT_TRUE(inside.visible()) << "its own property stays";
}

TEST(FormModel, ChangesFireEventsByTheOneTable) {
    EXPECT_EQ(eventFor(ControlKind::TextBox, Property::Text), Event::Change);
    EXPECT_EQ(eventFor(ControlKind::Label, Property::Text), Event::Change);
    EXPECT_EQ(eventFor(ControlKind::CheckBox, Property::Value), Event::Click);
    EXPECT_EQ(eventFor(ControlKind::ListBox, Property::ListIndex), Event::Click);
    EXPECT_EQ(eventFor(ControlKind::ProgressBar, Property::Value), Event::None);

    Form form("frmEvents");
    Control& bar = form.add(ControlKind::ProgressBar, "pgbDone");
    int clicks = 0;
    bar.onClick = [&] { ++clicks; };
    bar.setMaximum(std::int64_t{5} << 30);
    bar.setValue(std::int64_t{4} << 30);
    EXPECT_EQ(bar.value(), std::int64_t{4} << 30) << "sizes past 4 GiB";
    EXPECT_EQ(clicks, 0);
}

}  // namespace
}  // namespace ui
