#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace ui::animation {

// Decoders of one 8-bit device-independent bitmap into palette indexes. The stored rows run
// bottom-up; the canvas holds width * height indexes, top row first. Both return false for
// data that does not fit the bitmap and never touch memory outside the canvas.

// BI_RLE8. Pixels the data skips (end of line, delta, an early end) keep the canvas's value,
// which is how a frame builds on the one before it. Data that stops at the boundary of a
// command without the end-of-bitmap escape ends the bitmap there.
bool decodeRle8(std::span<const std::byte> data, int width, int height,
                std::span<std::uint8_t> canvas);

// Uncompressed: every row padded to a multiple of four bytes.
bool copyUncompressed8(std::span<const std::byte> data, int width, int height,
                       std::span<std::uint8_t> canvas);

}  // namespace ui::animation
