#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "ui/animation/Clip.h"

namespace ui::animation {

// Limits that keep a hostile clip from taking the memory or the time of the program.
inline constexpr int kMaxSide = 4096;
inline constexpr long long kMaxFramePixels = 1LL << 22;
inline constexpr std::size_t kMaxFrames = 10'000;
inline constexpr long long kMaxClipPixels = 1LL << 24;  // 64 MiB of decoded frames
inline constexpr int kMaxFrameMicroseconds = 60'000'000;

// Decodes a RIFF AVI whose video stream holds 8-bit frames, RLE8 ("dc" chunks of a BI_RLE8
// stream) or uncompressed ("db" chunks, or "dc" chunks of a BI_RGB stream). The period is the
// main header's microseconds per frame, or the stream's scale / rate when that is 0. Other
// streams and chunks (JUNK, idx1, sound) are ignored. Nothing for a clip that is malformed,
// beyond the limits above, or whose pixels name an index past its palette.
std::optional<Clip> decodeAvi(std::span<const std::byte> file);

}  // namespace ui::animation
