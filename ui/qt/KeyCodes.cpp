#include "ui/qt/KeyCodes.h"

#include <array>
#include <utility>

namespace ui::qt {
namespace {

constexpr std::array kNamedKeys = {
    std::pair{Qt::Key_Backspace, 8},      std::pair{Qt::Key_Tab, 9},
    std::pair{Qt::Key_Backtab, 9},        std::pair{Qt::Key_Return, 13},
    std::pair{Qt::Key_Enter, 13},         std::pair{Qt::Key_Shift, 16},
    std::pair{Qt::Key_Control, 17},       std::pair{Qt::Key_Alt, 18},
    std::pair{Qt::Key_Pause, 19},         std::pair{Qt::Key_CapsLock, 20},
    std::pair{Qt::Key_Escape, 27},        std::pair{Qt::Key_Space, 32},
    std::pair{Qt::Key_PageUp, 33},        std::pair{Qt::Key_PageDown, 34},
    std::pair{Qt::Key_End, 35},           std::pair{Qt::Key_Home, 36},
    std::pair{Qt::Key_Left, 37},          std::pair{Qt::Key_Up, 38},
    std::pair{Qt::Key_Right, 39},         std::pair{Qt::Key_Down, 40},
    std::pair{Qt::Key_Print, 44},         std::pair{Qt::Key_Insert, 45},
    std::pair{Qt::Key_Delete, 46},        std::pair{Qt::Key_Menu, 93},
    std::pair{Qt::Key_NumLock, 144},      std::pair{Qt::Key_ScrollLock, 145},
    std::pair{Qt::Key_Semicolon, 186},    std::pair{Qt::Key_Colon, 186},
    std::pair{Qt::Key_Equal, 187},        std::pair{Qt::Key_Plus, 187},
    std::pair{Qt::Key_Comma, 188},        std::pair{Qt::Key_Less, 188},
    std::pair{Qt::Key_Minus, 189},        std::pair{Qt::Key_Underscore, 189},
    std::pair{Qt::Key_Period, 190},       std::pair{Qt::Key_Greater, 190},
    std::pair{Qt::Key_Slash, 191},        std::pair{Qt::Key_Question, 191},
    std::pair{Qt::Key_QuoteLeft, 192},    std::pair{Qt::Key_AsciiTilde, 192},
    std::pair{Qt::Key_BracketLeft, 219},  std::pair{Qt::Key_BraceLeft, 219},
    std::pair{Qt::Key_Backslash, 220},    std::pair{Qt::Key_Bar, 220},
    std::pair{Qt::Key_BracketRight, 221}, std::pair{Qt::Key_BraceRight, 221},
    std::pair{Qt::Key_Apostrophe, 222},   std::pair{Qt::Key_QuoteDbl, 222},
};

// Keypad keys have codes of their own (VK_NUMPAD0.., VK_MULTIPLY..).
constexpr std::array kKeypadKeys = {
    std::pair{Qt::Key_Asterisk, 106}, std::pair{Qt::Key_Plus, 107},  std::pair{Qt::Key_Minus, 109},
    std::pair{Qt::Key_Period, 110},   std::pair{Qt::Key_Comma, 110}, std::pair{Qt::Key_Slash, 111},
};

}  // namespace

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return (keypad ? 96 : 48) + (qtKey - Qt::Key_0);
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return 65 + (qtKey - Qt::Key_A);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 112 + (qtKey - Qt::Key_F1);
    }
    if (keypad) {
        for (const auto& [key, code] : kKeypadKeys) {
            if (key == qtKey) {
                return code;
            }
        }
    }
    for (const auto& [key, code] : kNamedKeys) {
        if (key == qtKey) {
            return code;
        }
    }
    return 0;
}

int shiftMask(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

}  // namespace ui::qt
