#include <windows.h>

#include <array>

#include "platform/Locale.h"

namespace platform {

char decimalSeparator() {
    static const char separator = [] {
        std::array<wchar_t, 8> text{};
        const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text.data(),
                                             static_cast<int>(text.size()));
        // The interface holds one byte; a separator outside ASCII falls back to the point.
        if (length == 2 && text[0] > 0 && text[0] < 0x80) {
            return static_cast<char>(text[0]);
        }
        return '.';
    }();
    return separator;
}

}  // namespace platform
