#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <set>
#include <string>

#include "download/modresourceAVIData.h"
#include "tests/support/TempFolder.h"
#include "ui/animation/AviDecoder.h"
#include "ui/animation/HexPieces.h"
#include "ui/animation/Player.h"

namespace ui::animation {
namespace {

// What tools/make_download_avi.py writes at build time into this folder.
const std::string kToolOutput = SUMORA_DOWNLOAD_CLIP_DIR;

std::vector<std::byte> toolFile(const std::string& name) {
    const std::string text = testing_support::readNativeFile(kToolOutput + "/" + name);
    std::vector<std::byte> bytes(text.size());
    std::memcpy(bytes.data(), text.data(), text.size());
    return bytes;
}

std::vector<std::byte> embeddedClip() {
    auto bytes = hexPiecesToBytes(download::kDownloadAVIHex);
    return bytes ? *bytes : std::vector<std::byte>{};
}

TEST(DownloadClip, EmbeddedTextHoldsTheToolsClipIn240BytePieces) {
    const auto avi = toolFile("Download.AVI");
    ASSERT_GT(avi.size(), 0u);
    EXPECT_EQ(embeddedClip(), avi);
    const auto& pieces = download::kDownloadAVIHex;
    EXPECT_EQ(pieces.size(), (avi.size() + 239) / 240);
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
        EXPECT_EQ(pieces[i].size(), 480u) << "piece " << i + 1;
    }
    EXPECT_GT(pieces.back().size(), 0u);
    EXPECT_LE(pieces.back().size(), 480u);
}

TEST(DownloadClip, PlaysTwentyFiveFramesOf272By60AtTenAFrameASecond) {
    const auto clip = decodeAvi(embeddedClip());
    ASSERT_TRUE(clip.has_value());
    EXPECT_EQ(clip->width, 272);
    EXPECT_EQ(clip->height, 60);
    EXPECT_EQ(clip->frameMicroseconds, 100'000);
    ASSERT_EQ(clip->frames.size(), 25u);

    const Player player(*clip);
    for (int ms = 0; ms < 5'000; ms += 100) {
        EXPECT_EQ(player.frameAt(std::chrono::milliseconds(ms)),
                  static_cast<std::size_t>(ms / 100 % 25));
    }

    std::set<Frame> distinct(clip->frames.begin(), clip->frames.end());
    EXPECT_GE(distinct.size(), 15u) << "the page moves from frame to frame";
}

TEST(DownloadClip, DecodesToThePicturesTheToolDrew) {
    const auto clip = decodeAvi(embeddedClip());
    ASSERT_TRUE(clip.has_value());
    const auto pictures = toolFile("Download.bgra");
    const std::size_t frameBytes = 272 * 60 * 4;
    ASSERT_EQ(pictures.size(), clip->frames.size() * frameBytes);
    for (std::size_t f = 0; f < clip->frames.size(); ++f) {
        Frame expected;
        for (std::size_t at = f * frameBytes; at < (f + 1) * frameBytes; at += 4) {
            const auto byte = [&](std::size_t i) {
                return std::to_integer<std::uint32_t>(pictures[at + i]);
            };
            expected.push_back(byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
        }
        EXPECT_EQ(clip->frames[f], expected) << "frame " << f;
    }
}

}  // namespace
}  // namespace ui::animation
