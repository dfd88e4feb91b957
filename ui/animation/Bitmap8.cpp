#include "ui/animation/Bitmap8.h"

#include <algorithm>

namespace ui::animation {
namespace {

// A writing position in stored order: x from the left, y from the bottom row.
class Rle8Cursor {
public:
    Rle8Cursor(int width, int height, std::span<std::uint8_t> canvas)
        : width_(width), height_(height), canvas_(canvas) {}

    bool fits(int count) const { return y_ < height_ && count <= width_ - x_; }

    void put(std::uint8_t index) {
        canvas_[static_cast<std::size_t>(height_ - 1 - y_) * width_ + x_] = index;
        ++x_;
    }

    bool endLine() {
        x_ = 0;
        ++y_;
        return y_ <= height_;
    }

    bool move(int dx, int dy) {
        if (dx > width_ - x_ || dy > height_ - y_) {
            return false;
        }
        x_ += dx;
        y_ += dy;
        return true;
    }

private:
    int width_;
    int height_;
    std::span<std::uint8_t> canvas_;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace

bool decodeRle8(std::span<const std::byte> data, int width, int height,
                std::span<std::uint8_t> canvas) {
    if (canvas.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return false;
    }
    Rle8Cursor cursor(width, height, canvas);
    std::size_t at = 0;
    const auto byteAt = [&](std::size_t i) { return std::to_integer<std::uint8_t>(data[i]); };
    while (at < data.size()) {
        if (data.size() - at < 2) {
            return false;
        }
        const std::uint8_t first = byteAt(at);
        const std::uint8_t second = byteAt(at + 1);
        at += 2;
        if (first > 0) {
            if (!cursor.fits(first)) {
                return false;
            }
            for (int i = 0; i < first; ++i) {
                cursor.put(second);
            }
        } else if (second == 0) {
            if (!cursor.endLine()) {
                return false;
            }
        } else if (second == 1) {
            return true;
        } else if (second == 2) {
            if (data.size() - at < 2 || !cursor.move(byteAt(at), byteAt(at + 1))) {
                return false;
            }
            at += 2;
        } else {
            const std::size_t padded = second + (second % 2u);
            if (data.size() - at < padded || !cursor.fits(second)) {
                return false;
            }
            for (std::size_t i = 0; i < second; ++i) {
                cursor.put(byteAt(at + i));
            }
            at += padded;
        }
    }
    return true;
}

bool copyUncompressed8(std::span<const std::byte> data, int width, int height,
                       std::span<std::uint8_t> canvas) {
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    const std::size_t stride = (w + 3) / 4 * 4;
    if (canvas.size() != w * h || data.size() < stride * h) {
        return false;
    }
    for (std::size_t row = 0; row < h; ++row) {
        const auto stored = data.subspan((h - 1 - row) * stride, w);
        std::transform(stored.begin(), stored.end(), canvas.begin() + row * w,
                       [](std::byte b) { return std::to_integer<std::uint8_t>(b); });
    }
    return true;
}

}  // namespace ui::animation
