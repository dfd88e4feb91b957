#include "ui/Utf8.h"

namespace ui {
namespace {

bool startsCodePoint(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

// UTF-16 units of the code point that the lead byte starts: two for four-byte sequences.
int unitsOf(char lead) {
    return (static_cast<unsigned char>(lead) & 0xF8) == 0xF0 ? 2 : 1;
}

}  // namespace

int codePointCount(std::string_view utf8) {
    int count = 0;
    for (const char c : utf8) {
        count += startsCodePoint(c) ? 1 : 0;
    }
    return count;
}

int utf16IndexOfCodePoint(std::string_view utf8, int codePoints) {
    int units = 0;
    int seen = 0;
    for (const char c : utf8) {
        if (startsCodePoint(c)) {
            if (seen == codePoints) {
                break;
            }
            ++seen;
            units += unitsOf(c);
        }
    }
    return units;
}

int codePointOfUtf16Index(std::string_view utf8, int units) {
    int codePoints = 0;
    int unitsSeen = 0;
    for (const char c : utf8) {
        if (startsCodePoint(c)) {
            if (unitsSeen >= units) {
                break;
            }
            unitsSeen += unitsOf(c);
            ++codePoints;
        }
    }
    return codePoints;
}

}  // namespace ui
