#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace platform {
namespace {

// Windows-1250 bytes 0x80..0xFF. The five bytes the code page leaves undefined stand for the C1
// controls of the same value, so any file can be read and written back unchanged.
constexpr std::array<char32_t, 128> kCp1250High = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes the code point at pos and moves pos past it; nothing (pos unchanged) for a byte
// sequence that is not well-formed UTF-8: overlong forms, surrogates and values past U+10FFFF
// included.
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t c = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1Fu;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0Fu;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() - pos < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (next & 0x3Fu);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += length;
    return c;
}

// Simple case pairs of Basic Latin, Latin-1 Supplement and Latin Extended-A. Letters whose
// partner lies outside these blocks or is more than one character (µ, ß, ŉ, ſ) stay as they
// are, and so do the Turkish dotted and dotless i, whose pairing with i and I is locale-specific.
char32_t lowerOf(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    const bool evenIsUpper = (c >= 0x100 && c <= 0x137 && c != 0x130) || (c >= 0x14A && c <= 0x177);
    const bool oddIsUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenIsUpper && c % 2 == 0) || (oddIsUpper && c % 2 == 1)) {
        return c + 1;
    }
    return c == 0x178 ? 0xFF : c;
}

char32_t upperOf(char32_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return c - 0x20;
    }
    const bool oddIsLower = (c >= 0x101 && c <= 0x137 && c != 0x131) || (c >= 0x14B && c <= 0x177);
    const bool evenIsLower = (c >= 0x13A && c <= 0x148) || (c >= 0x17A && c <= 0x17E);
    if ((oddIsLower && c % 2 == 1) || (evenIsLower && c % 2 == 0)) {
        return c - 1;
    }
    return c == 0xFF ? 0x178 : c;
}

// Bytes that are not well-formed UTF-8 pass through unchanged.
template <typename Map>
std::string mapLetters(std::string_view utf8, Map map) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        if (const auto c = decodeUtf8(utf8, pos)) {
            appendUtf8(out, map(*c));
        } else {
            out += utf8[pos++];
        }
    }
    return out;
}

}  // namespace

std::string ansiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (const char byte : ansi) {
        const auto value = static_cast<unsigned char>(byte);
        appendUtf8(out, value < 0x80 ? value : kCp1250High[value - 0x80u]);
    }
    return out;
}

std::optional<std::string> utf8ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto c = decodeUtf8(utf8, pos);
        if (!c) {
            return std::nullopt;
        }
        if (*c < 0x80) {
            out += static_cast<char>(*c);
            continue;
        }
        const auto found = std::find(kCp1250High.begin(), kCp1250High.end(), *c);
        if (found == kCp1250High.end()) {
            return std::nullopt;
        }
        out += static_cast<char>(0x80 + (found - kCp1250High.begin()));
    }
    return out;
}

std::string toUpper(std::string_view utf8) {
    return mapLetters(utf8, upperOf);
}

std::string toLower(std::string_view utf8) {
    return mapLetters(utf8, lowerOf);
}

}  // namespace platform
