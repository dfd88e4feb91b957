#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// A PNG as the system's own decoder (WIC) reads it: the reference the pictures the program
// draws are held against, independent of how the build embeds them.
class PngImage {
public:
    // Throws std::runtime_error when the file cannot be read or decoded.
    explicit PngImage(const std::string& path);

    int width() const { return width_; }
    int height() const { return height_; }
    // Straight (not premultiplied) colour: 0xAARRGGBB.
    std::uint32_t at(int x, int y) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;  // rows from the top
};

// resources/pictures/<name>.png of the source tree, as the program names the picture.
std::string picturePath(const std::string& name);

}  // namespace testing_support
