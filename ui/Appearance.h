#pragma once

#include <cstdint>
#include <string>

namespace ui {

// Geometry is in twips (1440 to the inch; 15 to a pixel at 96 dpi), relative to the form's
// client area or to the frame that contains the control.
inline constexpr int kTwipsPerDesignPixel = 15;

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// A rectangle given in pixels at 96 dpi, for layouts drawn in pixels.
constexpr Rect pixelRect(int left, int top, int width, int height) {
    return {left * kTwipsPerDesignPixel, top * kTwipsPerDesignPixel, width * kTwipsPerDesignPixel,
            height * kTwipsPerDesignPixel};
}

struct Font {
    std::string face;    // empty: the toolkit's default face
    double size = 8.25;  // points, fractions kept
    int weight = 400;    // 100 to 900; 300 is light, 700 bold
    bool underline = false;
    bool operator==(const Font&) const = default;
};

// A colour: one of the system's, or red, green and blue.
struct Color {
    enum class Kind { ButtonFace, Window, Rgb };
    Kind kind = Kind::ButtonFace;
    std::uint32_t rgb = 0;  // 0xRRGGBB when kind is Rgb

    static constexpr Color buttonFace() { return {}; }
    static constexpr Color window() { return {Kind::Window, 0}; }
    static constexpr Color fromRgb(std::uint32_t rgb) { return {Kind::Rgb, rgb}; }
    bool operator==(const Color&) const = default;
};

enum class Alignment { Left, Right, Center };
enum class BackStyle { Opaque, Transparent };
enum class BorderStyle { Sizable, FixedDialog, None };

// A window shape: a rectangle from the top left corner whose corners are rounded by an
// ellipse of the given size, all in pixels.
struct RoundRectRegion {
    int width = 0;
    int height = 0;
    int ellipseWidth = 0;
    int ellipseHeight = 0;
    bool operator==(const RoundRectRegion&) const = default;
};

}  // namespace ui
