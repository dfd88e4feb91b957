#include "platform/Locale.h"

#include <locale>
#include <stdexcept>

namespace platform {

char decimalSeparator() {
    static const char separator = [] {
        try {
            return std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
        } catch (const std::runtime_error&) {
            // An environment naming a locale the system lacks: the classic one.
            return '.';
        }
    }();
    return separator;
}

}  // namespace platform
