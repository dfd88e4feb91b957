#include <gtest/gtest.h>
#include <iconv.h>

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "platform/Text.h"

namespace {

struct IconvCloser {
    void operator()(void* descriptor) const { iconv_close(static_cast<iconv_t>(descriptor)); }
};

// glibc's own CP1250 converter as an independent reference; nothing for a byte it rejects.
std::optional<std::string> iconvToUtf8(iconv_t descriptor, char byte) {
    char in[1] = {byte};
    std::array<char, 8> out{};
    char* inPointer = in;
    char* outPointer = out.data();
    std::size_t inLeft = 1;
    std::size_t outLeft = out.size();
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    if (iconv(descriptor, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1)) {
        return std::nullopt;
    }
    return std::string(out.data(), out.size() - outLeft);
}

TEST(Text, DecodesWindows1250LikeIconv) {
    const iconv_t opened = iconv_open("UTF-8", "CP1250");
    if (opened == reinterpret_cast<iconv_t>(-1)) {
        GTEST_SKIP() << "iconv has no CP1250 converter on this system";
    }
    const std::unique_ptr<void, IconvCloser> descriptor(opened);
    for (int value = 0; value < 256; ++value) {
        const char byte = static_cast<char>(value);
        const auto reference = iconvToUtf8(opened, byte);
        if (reference) {
            EXPECT_EQ(platform::ansiToUtf8(std::string(1, byte)), *reference) << "byte " << value;
        } else {
            EXPECT_TRUE(value == 0x81 || value == 0x83 || value == 0x88 || value == 0x90 ||
                        value == 0x98)
                << "iconv rejects byte " << value << ", which the code page defines";
        }
    }
}

}  // namespace
