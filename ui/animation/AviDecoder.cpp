#include "ui/animation/AviDecoder.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/animation/Bitmap8.h"
#include "ui/animation/LittleEndian.h"
#include "ui/animation/Riff.h"

namespace ui::animation {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::size_t kMainHeaderSize = 56;
constexpr std::size_t kStreamHeaderMinSize = 48;  // without rcFrame, as some writers leave it
constexpr std::size_t kBitmapHeaderSize = 40;

struct VideoFormat {
    std::string frameIdPrefix;  // "00" for stream 0
    int width = 0;
    int height = 0;
    std::uint32_t compression = 0;
    std::uint32_t scale = 0;
    std::uint32_t rate = 0;
    std::vector<std::uint32_t> palette;
};

struct Headers {
    std::uint32_t microsecondsPerFrame = 0;
    std::optional<VideoFormat> video;
};

std::optional<VideoFormat> videoFormat(std::span<const std::byte> strh,
                                       std::span<const std::byte> strf) {
    if (strh.size() < kStreamHeaderMinSize || fourCcAt(strh, 0) != "vids" ||
        strf.size() < kBitmapHeaderSize) {
        return std::nullopt;
    }
    const std::size_t headerSize = u32At(strf, 0);
    const std::int32_t width = i32At(strf, 4);
    const std::int32_t height = i32At(strf, 8);
    const std::uint16_t bitCount = u16At(strf, 14);
    const std::uint32_t compression = u32At(strf, 16);
    std::uint32_t colours = u32At(strf, 32);
    if (headerSize < kBitmapHeaderSize || headerSize > strf.size() || bitCount != 8 ||
        (compression != kBiRgb && compression != kBiRle8) || width <= 0 || height <= 0 ||
        width > kMaxSide || height > kMaxSide ||
        static_cast<long long>(width) * height > kMaxFramePixels || colours > 256) {
        return std::nullopt;
    }
    if (colours == 0) {
        colours = 256;
    }
    // A palette cut short by the chunk keeps the entries that are there; pixels that name a
    // missing one make the clip bad when the frames are painted.
    const std::size_t entries = std::min<std::size_t>(colours, (strf.size() - headerSize) / 4);
    VideoFormat format;
    format.width = width;
    format.height = height;
    format.compression = compression;
    format.scale = u32At(strh, 20);
    format.rate = u32At(strh, 24);
    for (std::size_t i = 0; i < entries; ++i) {
        format.palette.push_back(0xFF000000u | (u32At(strf, headerSize + 4 * i) & 0x00FFFFFFu));
    }
    return format;
}

std::optional<Headers> readHeaders(std::span<const std::byte> hdrl) {
    const auto chunks = riffChunks(hdrl);
    if (!chunks) {
        return std::nullopt;
    }
    Headers headers;
    bool haveMainHeader = false;
    int streamNumber = 0;
    for (const RiffChunk& chunk : *chunks) {
        if (chunk.id == "avih") {
            if (chunk.data.size() < kMainHeaderSize) {
                return std::nullopt;
            }
            headers.microsecondsPerFrame = u32At(chunk.data, 0);
            haveMainHeader = true;
            continue;
        }
        const auto list = asList(chunk);
        if (!list || list->type != "strl") {
            continue;
        }
        const auto parts = riffChunks(list->body);
        if (!parts) {
            return std::nullopt;
        }
        const auto strh = std::find_if(parts->begin(), parts->end(),
                                       [](const RiffChunk& c) { return c.id == "strh"; });
        const auto strf = std::find_if(parts->begin(), parts->end(),
                                       [](const RiffChunk& c) { return c.id == "strf"; });
        if (strh == parts->end() || strf == parts->end()) {
            return std::nullopt;
        }
        if (!headers.video && strh->data.size() >= 4 && fourCcAt(strh->data, 0) == "vids") {
            headers.video = videoFormat(strh->data, strf->data);
            if (!headers.video || streamNumber > 99) {
                return std::nullopt;
            }
            headers.video->frameIdPrefix = {static_cast<char>('0' + streamNumber / 10),
                                            static_cast<char>('0' + streamNumber % 10)};
        }
        ++streamNumber;
    }
    if (!haveMainHeader || !headers.video) {
        return std::nullopt;
    }
    return headers;
}

// The frame chunks of the video stream, in order; "rec " lists are looked into.
bool collectFrames(std::span<const std::byte> body, const std::string& prefix,
                   std::vector<RiffChunk>& frames) {
    const auto chunks = riffChunks(body);
    if (!chunks) {
        return false;
    }
    for (const RiffChunk& chunk : *chunks) {
        if (const auto list = asList(chunk)) {
            if (list->type == "rec " && !collectFrames(list->body, prefix, frames)) {
                return false;
            }
        } else if (chunk.id.substr(0, 2) == prefix &&
                   (chunk.id.substr(2) == "dc" || chunk.id.substr(2) == "db")) {
            frames.push_back(chunk);
        }
    }
    return true;
}

std::optional<int> framePeriod(const Headers& headers) {
    long long microseconds = headers.microsecondsPerFrame;
    if (microseconds == 0 && headers.video->rate != 0) {
        microseconds = 1'000'000LL * headers.video->scale / headers.video->rate;
    }
    if (microseconds <= 0 || microseconds > kMaxFrameMicroseconds) {
        return std::nullopt;
    }
    return static_cast<int>(microseconds);
}

struct Layout {
    Headers headers;
    std::vector<RiffChunk> frames;
};

std::optional<Layout> readLayout(std::span<const std::byte> file) {
    // Bytes after the RIFF chunk (an extension chunk of a large file, trailing junk) are ignored.
    if (file.size() < 12 || fourCcAt(file, 0) != "RIFF" || u32At(file, 4) > file.size() - 8) {
        return std::nullopt;
    }
    const auto riff = asList({"RIFF", file.subspan(8, u32At(file, 4))});
    if (!riff || riff->type != "AVI ") {
        return std::nullopt;
    }
    const auto chunks = riffChunks(riff->body);
    if (!chunks) {
        return std::nullopt;
    }
    std::optional<Headers> headers;
    std::vector<RiffChunk> frames;
    bool haveMovi = false;
    for (const RiffChunk& chunk : *chunks) {
        const auto list = asList(chunk);
        if (!list) {
            continue;
        }
        if (list->type == "hdrl" && !headers) {
            headers = readHeaders(list->body);
            if (!headers) {
                return std::nullopt;
            }
        } else if (list->type == "movi" && headers && !haveMovi) {
            haveMovi = true;
            if (!collectFrames(list->body, headers->video->frameIdPrefix, frames)) {
                return std::nullopt;
            }
        }
    }
    if (!headers || frames.empty() || frames.size() > kMaxFrames) {
        return std::nullopt;
    }
    return Layout{std::move(*headers), std::move(frames)};
}

// Paints one frame chunk onto the canvas of palette indexes; an empty chunk repeats the frame
// before it.
bool paint(const RiffChunk& chunk, const VideoFormat& video, std::span<std::uint8_t> canvas) {
    if (chunk.data.empty()) {
        return true;
    }
    if (chunk.id.substr(2) == "dc" && video.compression == kBiRle8) {
        return decodeRle8(chunk.data, video.width, video.height, canvas);
    }
    return copyUncompressed8(chunk.data, video.width, video.height, canvas);
}

}  // namespace

std::optional<Clip> decodeAvi(std::span<const std::byte> file) {
    const auto layout = readLayout(file);
    if (!layout) {
        return std::nullopt;
    }
    const VideoFormat& video = *layout->headers.video;
    const auto period = framePeriod(layout->headers);
    const std::size_t pixels = static_cast<std::size_t>(video.width) * video.height;
    if (!period || static_cast<long long>(pixels * layout->frames.size()) > kMaxClipPixels) {
        return std::nullopt;
    }

    Clip clip{video.width, video.height, *period, {}};
    clip.frames.reserve(layout->frames.size());
    std::vector<std::uint8_t> canvas(pixels, 0);
    for (const RiffChunk& chunk : layout->frames) {
        if (!paint(chunk, video, canvas)) {
            return std::nullopt;
        }
        Frame frame(pixels);
        for (std::size_t i = 0; i < pixels; ++i) {
            if (canvas[i] >= video.palette.size()) {
                return std::nullopt;
            }
            frame[i] = video.palette[canvas[i]];
        }
        clip.frames.push_back(std::move(frame));
    }
    return clip;
}

}  // namespace ui::animation
