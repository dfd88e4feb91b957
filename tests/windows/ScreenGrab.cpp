#include "tests/windows/ScreenGrab.h"

#include <fstream>
#include <stdexcept>

namespace testing_support {
namespace {

BITMAPINFOHEADER topDownHeader(int width, int height) {
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    return info;
}

}  // namespace

ScreenGrab::ScreenGrab(const RECT& area)
    : width_(area.right - area.left),
      height_(area.bottom - area.top),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4) {
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width_, height_);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
    ::SelectObject(memory, previous);
    BITMAPINFOHEADER info = topDownHeader(width_, height_);
    ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height_), pixels_.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

COLORREF ScreenGrab::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        throw std::out_of_range("the point lies outside the grab");
    }
    const std::uint8_t* pixel =
        pixels_.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                          static_cast<std::size_t>(x)) *
                             4;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

void ScreenGrab::save(const std::string& path) const {
    const BITMAPINFOHEADER info = topDownHeader(width_, height_);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels_.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(pixels_.data()),
              static_cast<std::streamsize>(pixels_.size()));
}

}  // namespace testing_support
