#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace ui::animation {

using Bytes = std::vector<std::byte>;

Bytes bytes(std::initializer_list<int> values);
Bytes operator+(Bytes head, const Bytes& tail);
Bytes chunk(const std::string& id, const Bytes& data);
Bytes list(const std::string& type, const Bytes& body, const std::string& kind = "LIST");

// A small AVI with one 8-bit video stream, every field settable so a test can break one.
struct AviLayout {
    std::int32_t width = 4;
    std::int32_t height = 2;
    std::uint32_t microsecondsPerFrame = 50'000;
    std::uint32_t scale = 1;
    std::uint32_t rate = 20;
    std::uint16_t bitCount = 8;
    std::uint32_t compression = 1;
    std::vector<std::uint32_t> palette = {0x102030, 0xFF0000, 0x00FF00, 0x0000FF};  // 0xRRGGBB
    std::uint32_t colourCount = 0;  // the header's count; 0 writes the palette's size
    std::size_t mainHeaderSize = 56;
    Bytes moviBefore;  // chunks ahead of the frames inside "movi"
    std::vector<std::pair<std::string, Bytes>> frames = {
        {"00dc", bytes({4, 1, 0, 0, 2, 2, 2, 3, 0, 1})},
    };
    bool withHdrl = true;
    bool withMovi = true;
};

Bytes buildAvi(const AviLayout& layout);

// Overwrites four bytes in little-endian order.
void putU32(Bytes& file, std::size_t offset, std::uint32_t value);

}  // namespace ui::animation
