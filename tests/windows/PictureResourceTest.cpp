// The pictures as sumora.exe carries them (resources/windows/make_picture_resources.py) and the
// Win32 backend loads them: pixel for pixel the PNGs of resources/pictures as the system's own
// decoder reads them, top row first, the colour premultiplied by the alpha.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/windows/Wide.h"
#include "tests/windows/PngImage.h"
#include "ui/win32/Picture.h"

namespace ui::win32 {
namespace {

std::uint32_t premultiplied(std::uint32_t straight) {
    const std::uint32_t alpha = straight >> 24;
    std::uint32_t result = alpha << 24;
    for (const int shift : {0, 8, 16}) {
        result |= (((straight >> shift) & 0xFF) * alpha + 127) / 255 << shift;
    }
    return result;
}

class PictureResource : public testing::Test {
protected:
    void SetUp() override {
        program_ = ::LoadLibraryExW(platform::widen(SUMORA_EXE_PATH).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(program_, nullptr) << SUMORA_EXE_PATH;
    }
    void TearDown() override {
        if (program_ != nullptr) {
            ::FreeLibrary(program_);
        }
    }

    HMODULE program_ = nullptr;
};

TEST_F(PictureResource, EveryPictureIsItsPngPremultipliedTopRowFirst) {
    for (const std::string name :
         {"background.main", "logo.crc32", "logo.main", "logo.about", "icon.options"}) {
        const testing_support::PngImage png(testing_support::picturePath(name));
        const std::optional<Picture> picture = Picture::load(name, program_);
        ASSERT_TRUE(picture.has_value()) << name << " is not in " << SUMORA_EXE_PATH;
        ASSERT_EQ(picture->width(), png.width()) << name;
        ASSERT_EQ(picture->height(), png.height()) << name;
        int wrong = 0;
        for (int y = 0; y < png.height(); ++y) {
            for (int x = 0; x < png.width(); ++x) {
                if (picture->pixel(x, y) != premultiplied(png.at(x, y)) && wrong++ == 0) {
                    ADD_FAILURE() << name << " at " << x << "," << y << ": " << std::hex
                                  << picture->pixel(x, y) << " for " << png.at(x, y);
                }
            }
        }
        EXPECT_EQ(wrong, 0) << name << ": pixels that differ";
    }
}

TEST_F(PictureResource, NoPictureForANameWithout) {
    EXPECT_FALSE(Picture::load("", program_).has_value());
    EXPECT_FALSE(Picture::load("no.such.picture", program_).has_value());
}

TEST_F(PictureResource, HalvedEachPixelIsTheMeanOfTheFourItCovers) {
    const std::optional<Picture> picture = Picture::load("icon.options", program_);
    ASSERT_TRUE(picture.has_value());
    const std::optional<Picture> half =
        picture->scaled(picture->width() / 2, picture->height() / 2);
    ASSERT_TRUE(half.has_value());
    for (int y = 0; y < half->height(); ++y) {
        for (int x = 0; x < half->width(); ++x) {
            for (const int shift : {0, 8, 16, 24}) {
                std::uint32_t sum = 0;
                for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
                    sum += (picture->pixel(2 * x + dx, 2 * y + dy) >> shift) & 0xFF;
                }
                ASSERT_EQ((half->pixel(x, y) >> shift) & 0xFF, (sum + 2) / 4)
                    << x << "," << y << " channel " << shift / 8;
            }
        }
    }
}

}  // namespace
}  // namespace ui::win32
