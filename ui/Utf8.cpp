#include "ui/Utf8.h"

namespace ui {

int codePointCount(std::string_view utf8) {
    int count = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

}  // namespace ui
