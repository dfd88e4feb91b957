#include "ui/win32/Picture.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/windows/Wide.h"

namespace ui::win32 {
namespace {

// Larger sides are no picture of ours; the limit also keeps the sizes' products in range.
constexpr int kLargestSide = 16384;

std::uint32_t alphaOf(std::uint32_t pixel) {
    return pixel >> 24;
}

// Straight colour from premultiplied, as icons take it.
std::uint32_t unpremultiplied(std::uint32_t pixel) {
    const std::uint32_t alpha = alphaOf(pixel);
    if (alpha == 0) {
        return 0;
    }
    std::uint32_t straight = alpha << 24;
    for (const int shift : {0, 8, 16}) {
        const std::uint32_t channel = (pixel >> shift) & 0xFF;
        straight |= std::min<std::uint32_t>(255, (channel * 255 + alpha / 2) / alpha) << shift;
    }
    return straight;
}

}  // namespace

std::optional<Picture> Picture::blank(int width, int height) {
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) {
        return std::nullopt;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Picture picture;
    // A DIB section starts out zeroed: transparent.
    picture.bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture.bitmap_ || bits == nullptr) {
        return std::nullopt;
    }
    picture.bits_ = static_cast<std::uint32_t*>(bits);
    picture.width_ = width;
    picture.height_ = height;
    return picture;
}

std::optional<Picture> Picture::load(const std::string& name, HMODULE module) {
    if (name.empty()) {
        return std::nullopt;
    }
    if (module == nullptr) {
        module = ::GetModuleHandleW(nullptr);
    }
    // The build names the resources in upper case, as resource compilers do.
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    const HRSRC found = ::FindResourceW(module, platform::widen(upper).c_str(), RT_RCDATA);
    const HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    const auto* data = static_cast<const unsigned char*>(loaded ? ::LockResource(loaded) : nullptr);
    const std::size_t size = found != nullptr ? ::SizeofResource(module, found) : 0;
    BITMAPINFOHEADER header{};
    if (data == nullptr || size < sizeof(header)) {
        return std::nullopt;
    }
    std::memcpy(&header, data, sizeof(header));
    if (header.biSize != sizeof(header) || header.biPlanes != 1 || header.biBitCount != 32 ||
        header.biCompression != BI_RGB || header.biHeight < -kLargestSide ||
        header.biHeight > kLargestSide) {
        return std::nullopt;
    }
    const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const auto row = static_cast<std::size_t>(header.biWidth) * 4;
    std::optional<Picture> picture = blank(header.biWidth, height);
    if (!picture || size - sizeof(header) < row * static_cast<std::size_t>(height)) {
        return std::nullopt;
    }
    const unsigned char* pixels = data + sizeof(header);
    const bool bottomUp = header.biHeight > 0;
    for (int y = 0; y < height; ++y) {
        const int from = bottomUp ? height - 1 - y : y;
        std::memcpy(picture->bits_ + static_cast<std::size_t>(y) * picture->width_,
                    pixels + static_cast<std::size_t>(from) * row, row);
    }
    return picture;
}

std::uint32_t Picture::pixel(int x, int y) const {
    return bits_[static_cast<std::size_t>(y) * width_ + x];
}

std::optional<Picture> Picture::scaled(int width, int height) const {
    std::optional<Picture> result = blank(width, height);
    if (!result) {
        return std::nullopt;
    }
    // The source pixels [from(i), from(i + 1)) make target pixel i; at least one.
    const auto span = [](int i, int target, int source) {
        const int first = static_cast<int>(static_cast<long long>(i) * source / target);
        const int last = static_cast<int>(static_cast<long long>(i + 1) * source / target);
        return std::pair{first, std::max(first + 1, last)};
    };
    for (int y = 0; y < height; ++y) {
        const auto [top, bottom] = span(y, height, height_);
        for (int x = 0; x < width; ++x) {
            const auto [left, right] = span(x, width, width_);
            std::uint32_t sums[4] = {};
            for (int sy = top; sy < bottom; ++sy) {
                for (int sx = left; sx < right; ++sx) {
                    const std::uint32_t source = pixel(sx, sy);
                    for (int channel = 0; channel < 4; ++channel) {
                        sums[channel] += (source >> (8 * channel)) & 0xFF;
                    }
                }
            }
            const auto count = static_cast<std::uint32_t>((bottom - top) * (right - left));
            std::uint32_t average = 0;
            for (int channel = 0; channel < 4; ++channel) {
                average |= ((sums[channel] + count / 2) / count) << (8 * channel);
            }
            result->bits_[static_cast<std::size_t>(y) * width + x] = average;
        }
    }
    return result;
}

void Picture::draw(HDC dc, int x, int y) const {
    const HDC source = ::CreateCompatibleDC(dc);
    const HGDIOBJ previous = ::SelectObject(source, bitmap_.get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // gdi32's own AlphaBlend, which msimg32's forwards to.
    ::GdiAlphaBlend(dc, x, y, width_, height_, source, 0, 0, width_, height_, blend);
    ::SelectObject(source, previous);
    ::DeleteDC(source);
}

IconHandle Picture::icon(int width, int height) const {
    std::optional<Picture> colour = scaled(width, height);
    if (!colour) {
        return nullptr;
    }
    // Icons take straight colour; the mask marks the fully transparent pixels, for whatever
    // draws the icon without its alpha. Mask rows are whole 16-bit words.
    const auto maskRow = static_cast<std::size_t>((width + 15) / 16 * 2);
    std::vector<unsigned char> mask(maskRow * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t& pixel = colour->bits_[static_cast<std::size_t>(y) * width + x];
            if (alphaOf(pixel) == 0) {
                mask[static_cast<std::size_t>(y) * maskRow + x / 8] |=
                    static_cast<unsigned char>(0x80 >> (x % 8));
            }
            pixel = unpremultiplied(pixel);
        }
    }
    const GdiObject<HBITMAP> maskBitmap(::CreateBitmap(width, height, 1, 1, mask.data()));
    if (!maskBitmap) {
        return nullptr;
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = maskBitmap.get();
    info.hbmColor = colour->bitmap_.get();
    // The icon holds copies of both bitmaps.
    return IconHandle(::CreateIconIndirect(&info));
}

}  // namespace ui::win32
