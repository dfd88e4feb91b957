#include <gtest/gtest.h>

#include "ui/qt/KeyCodes.h"

namespace ui::qt {
namespace {

TEST(KeyCodes, MapQtKeysToVirtualKeyCodes) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int expected;
    };
    const Case cases[] = {
        {Qt::Key_Escape, {}, 27},
        {Qt::Key_Return, {}, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_F1, {}, 112},
        {Qt::Key_F12, {}, 123},
        {Qt::Key_A, {}, 65},
        {Qt::Key_Z, Qt::ShiftModifier, 90},
        {Qt::Key_0, {}, 48},
        {Qt::Key_9, {}, 57},
        {Qt::Key_0, Qt::KeypadModifier, 96},
        {Qt::Key_9, Qt::KeypadModifier, 105},
        {Qt::Key_Plus, Qt::KeypadModifier, 107},
        {Qt::Key_Plus, {}, 187},
        {Qt::Key_Delete, {}, 46},
        {Qt::Key_Left, {}, 37},
        {Qt::Key_Down, {}, 40},
        {Qt::Key_Tab, {}, 9},
        {Qt::Key_Backtab, Qt::ShiftModifier, 9},
        {Qt::Key_Shift, Qt::ShiftModifier, 16},
        {Qt::Key_Eacute, {}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(virtualKeyCode(c.key, c.modifiers), c.expected)
            << "Qt key 0x" << std::hex << c.key;
    }
}

TEST(KeyCodes, ShiftMaskCombinesShiftCtrlAndAlt) {
    EXPECT_EQ(shiftMask({}), 0);
    EXPECT_EQ(shiftMask(Qt::ShiftModifier), 1);
    EXPECT_EQ(shiftMask(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(
        shiftMask(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier),
        7);
}

}  // namespace
}  // namespace ui::qt
