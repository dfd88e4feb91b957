#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "tests/ui/animation/AviBuilder.h"
#include "ui/animation/AviDecoder.h"

namespace ui::animation {
namespace {

constexpr std::uint32_t kDark = 0xFF102030;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;

// Bottom row red, top row green green blue blue.
const Frame kFirstFrame = {kGreen, kGreen, kBlue, kBlue, kRed, kRed, kRed, kRed};

std::optional<Clip> decode(const AviLayout& layout) {
    return decodeAvi(buildAvi(layout));
}

TEST(DecodeAvi, PaintsRle8FramesTopRowFirstInThePaletteColours) {
    AviLayout layout;
    // The second frame changes one pixel of the top row and keeps the rest of the first.
    layout.frames.push_back({"00dc", bytes({0, 2, 1, 1, 1, 0, 0, 1})});
    layout.frames.push_back({"00dc", {}});
    const auto clip = decode(layout);
    ASSERT_TRUE(clip.has_value());
    EXPECT_EQ(clip->width, 4);
    EXPECT_EQ(clip->height, 2);
    EXPECT_EQ(clip->frameMicroseconds, 50'000);
    ASSERT_EQ(clip->frames.size(), 3u);
    EXPECT_EQ(clip->frames[0], kFirstFrame);
    EXPECT_EQ(clip->frames[1], (Frame{kGreen, kDark, kBlue, kBlue, kRed, kRed, kRed, kRed}));
    EXPECT_EQ(clip->frames[2], clip->frames[1]) << "an empty chunk repeats the frame before";
}

TEST(DecodeAvi, SkipsOtherChunksAndReadsUncompressedFrames) {
    AviLayout layout;
    layout.moviBefore = chunk("JUNK", bytes({7})) + chunk("01wb", bytes({1, 2, 3, 4})) +
                        list("rec ", chunk("00dc", bytes({4, 3, 0, 0, 4, 3, 0, 1})));
    layout.frames.push_back({"00db", bytes({1, 1, 1, 1, 2, 2, 3, 3})});
    const auto clip = decode(layout);
    ASSERT_TRUE(clip.has_value());
    ASSERT_EQ(clip->frames.size(), 3u) << "the frame inside a rec list, then the two after it";
    EXPECT_EQ(clip->frames[0], Frame(8, kBlue));
    EXPECT_EQ(clip->frames[1], kFirstFrame);
    EXPECT_EQ(clip->frames[2], kFirstFrame);

    AviLayout uncompressed;
    uncompressed.compression = 0;
    uncompressed.frames = {{"00dc", bytes({1, 1, 1, 1, 2, 2, 3, 3})}};
    const auto plain = decode(uncompressed);
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain->frames.at(0), kFirstFrame) << "a dc chunk of an uncompressed stream";
}

TEST(DecodeAvi, TakesThePeriodFromTheMainHeaderOrElseTheStreamRate) {
    const struct {
        std::uint32_t microsecondsPerFrame, scale, rate;
        std::optional<int> period;
    } cases[] = {
        {100'000, 1, 20, 100'000},         {0, 1, 20, 50'000},
        {0, 1'001, 30'000, 33'366},        {0, 1, 0, std::nullopt},
        {60'000'001, 1, 10, std::nullopt}, {0xFFFFFFFF, 1, 10, std::nullopt},
    };
    for (const auto& c : cases) {
        AviLayout layout;
        layout.microsecondsPerFrame = c.microsecondsPerFrame;
        layout.scale = c.scale;
        layout.rate = c.rate;
        const auto clip = decode(layout);
        ASSERT_EQ(clip.has_value(), c.period.has_value()) << c.microsecondsPerFrame;
        if (clip) {
            EXPECT_EQ(clip->frameMicroseconds, *c.period) << c.microsecondsPerFrame;
        }
    }
}

TEST(DecodeAvi, RejectsMalformedClips) {
    const auto good = buildAvi(AviLayout{});
    ASSERT_TRUE(decodeAvi(good).has_value());
    const auto withLayout = [](std::function<void(AviLayout&)> change) {
        AviLayout layout;
        change(layout);
        return buildAvi(layout);
    };
    const auto withBytes = [&good](std::function<void(Bytes&)> change) {
        Bytes file = good;
        change(file);
        return file;
    };
    const std::string frameId = "00dc";
    const auto frameSizeOffset =
        static_cast<std::size_t>(
            std::search(good.begin(), good.end(), frameId.begin(), frameId.end(),
                        [](std::byte b, char c) { return b == static_cast<std::byte>(c); }) -
            good.begin()) +
        4;
    const struct {
        const char* name;
        Bytes file;
    } cases[] = {
        {"empty", {}},
        {"not RIFF", withBytes([](Bytes& f) { f[0] = std::byte{'X'}; })},
        {"not an AVI", withBytes([](Bytes& f) { f[11] = std::byte{'X'}; })},
        {"file shorter than its RIFF size", withBytes([](Bytes& f) { f.resize(f.size() - 2); })},
        {"RIFF size past the end", withBytes([](Bytes& f) { putU32(f, 4, 0xFFFFFFF0); })},
        {"frame chunk size past its list",
         withBytes([&](Bytes& f) { putU32(f, frameSizeOffset, 0x7FFFFFFF); })},
        {"no header list", withLayout([](AviLayout& s) { s.withHdrl = false; })},
        {"no movi list", withLayout([](AviLayout& s) { s.withMovi = false; })},
        {"no frames", withLayout([](AviLayout& s) { s.frames.clear(); })},
        {"only another stream's frames", withLayout([](AviLayout& s) {
             s.frames = {{"01dc", bytes({4, 1, 0, 1})}};
         })},
        {"main header too short", withLayout([](AviLayout& s) { s.mainHeaderSize = 40; })},
        {"zero width", withLayout([](AviLayout& s) { s.width = 0; })},
        {"negative height", withLayout([](AviLayout& s) { s.height = -2; })},
        {"absurd width", withLayout([](AviLayout& s) { s.width = 100'000; })},
        {"24 bits a pixel", withLayout([](AviLayout& s) { s.bitCount = 24; })},
        {"RLE4", withLayout([](AviLayout& s) { s.compression = 2; })},
        {"more than 256 colours", withLayout([](AviLayout& s) { s.colourCount = 257; })},
        {"pixel index past the palette", withLayout([](AviLayout& s) { s.palette.resize(3); })},
        {"palette cut short by its chunk", withLayout([](AviLayout& s) {
             s.palette.resize(3);
             s.colourCount = 4;
         })},
        {"run past the row", withLayout([](AviLayout& s) {
             s.frames[0].second = bytes({5, 1});
         })},
        {"delta past the bitmap", withLayout([](AviLayout& s) {
             s.frames[0].second = bytes({0, 2, 0, 9});
         })},
        {"uncompressed frame too short", withLayout([](AviLayout& s) {
             s.frames = {{"00db", bytes({1, 1, 1, 1})}};
         })},
        {"more frames than the limit", withLayout([](AviLayout& s) {
             s.frames.resize(kMaxFrames + 1, {"00dc", {}});
         })},
        {"more pixels than the limit", withLayout([](AviLayout& s) {
             s.width = kMaxSide;
             s.height = kMaxSide / 4;
             s.frames.assign(5, {"00dc", {}});
         })},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(decodeAvi(c.file).has_value()) << c.name;
    }
}

TEST(DecodeAvi, RejectsEveryTruncationInsideTheHeadersOrFrames) {
    AviLayout layout;
    layout.frames.push_back({"00dc", bytes({0, 3, 1, 2, 3, 0, 0, 1})});
    const Bytes good = buildAvi(layout);
    const std::size_t idx1 = good.size() - 8 - 16 * layout.frames.size();
    for (std::size_t cut = 12; cut < idx1; ++cut) {
        Bytes file(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        putU32(file, 4, static_cast<std::uint32_t>(cut - 8));
        EXPECT_FALSE(decodeAvi(file).has_value()) << "cut after " << cut << " bytes";
    }
}

// A decoded clip must keep the decoder's promises however the bytes were damaged.
void expectSound(const Clip& clip) {
    ASSERT_GT(clip.width, 0);
    ASSERT_GT(clip.height, 0);
    ASSERT_LE(clip.width, kMaxSide);
    ASSERT_LE(clip.height, kMaxSide);
    ASSERT_GT(clip.frameMicroseconds, 0);
    ASSERT_FALSE(clip.frames.empty());
    for (const Frame& frame : clip.frames) {
        ASSERT_EQ(frame.size(), static_cast<std::size_t>(clip.width) * clip.height);
        for (const std::uint32_t pixel : frame) {
            ASSERT_EQ(pixel >> 24, 0xFFu) << "an opaque pixel";
        }
    }
}

TEST(DecodeAvi, SurvivesRandomDamageToAGoodClip) {
    AviLayout layout;
    layout.width = 13;
    layout.height = 5;
    layout.frames = {
        {"00dc", bytes({13, 1, 0, 0, 0, 5, 1, 2, 3, 2, 1, 0, 8, 3, 0, 0, 0, 2, 3, 1, 2, 0, 0, 1})},
        {"00dc", bytes({0, 2, 2, 2, 4, 2, 0, 0, 13, 3, 0, 1})},
        {"00db", Bytes(16 * 5, std::byte{2})},
    };
    const Bytes good = buildAvi(layout);
    ASSERT_TRUE(decodeAvi(good).has_value());

    const unsigned seed = 20240501;
    std::cout << "random damage seed " << seed << "\n";
    std::mt19937 random(seed);
    const auto below = [&random](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    const std::uint32_t edgeValues[] = {0, 1, 2, 0x7F, 0x80, 0xFF, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF};
    int decoded = 0;
    for (int round = 0; round < 20'000; ++round) {
        Bytes file = good;
        const std::size_t changes = 1 + below(4);
        for (std::size_t i = 0; i < changes; ++i) {
            switch (below(3)) {
                case 0:
                    file[below(file.size())] = static_cast<std::byte>(below(256));
                    break;
                case 1:
                    putU32(file, below(file.size() - 3), edgeValues[below(std::size(edgeValues))]);
                    break;
                default:  // cut short, mostly with a RIFF size to match
                    file.resize(below(file.size()));
                    if (file.size() >= 8 && below(4) != 0) {
                        putU32(file, 4, static_cast<std::uint32_t>(file.size() - 8));
                    }
                    break;
            }
            if (file.size() < 8) {
                break;
            }
        }
        const auto clip = decodeAvi(file);
        if (clip) {
            ++decoded;
            expectSound(*clip);
            if (testing::Test::HasFatalFailure()) {
                FAIL() << "round " << round << " with seed " << seed;
            }
        }
    }
    std::cout << decoded << " damaged clips still decoded\n";
    // Damage to pixels or ignored fields leaves a playable clip: both outcomes are exercised.
    EXPECT_GT(decoded, 0);
}

}  // namespace
}  // namespace ui::animation
