#include "tests/ui/animation/AviBuilder.h"

namespace ui::animation {
namespace {

void appendU32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::byte>((value >> shift) & 0xFFu));
    }
}

void appendU16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::byte>(value & 0xFFu));
    out.push_back(static_cast<std::byte>(value >> 8));
}

void appendText(Bytes& out, const std::string& text) {
    for (const char c : text) {
        out.push_back(static_cast<std::byte>(c));
    }
}

void append(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}

}  // namespace

Bytes bytes(std::initializer_list<int> values) {
    Bytes out;
    for (const int v : values) {
        out.push_back(static_cast<std::byte>(v));
    }
    return out;
}

Bytes operator+(Bytes head, const Bytes& tail) {
    append(head, tail);
    return head;
}

Bytes chunk(const std::string& id, const Bytes& data) {
    Bytes out;
    appendText(out, id);
    appendU32(out, static_cast<std::uint32_t>(data.size()));
    append(out, data);
    if (data.size() % 2 != 0) {
        out.push_back(std::byte{0});
    }
    return out;
}

Bytes list(const std::string& type, const Bytes& body, const std::string& kind) {
    Bytes out;
    appendText(out, kind);
    appendU32(out, static_cast<std::uint32_t>(body.size() + 4));
    appendText(out, type);
    append(out, body);
    return out;
}

Bytes buildAvi(const AviLayout& layout) {
    const auto width = static_cast<std::uint32_t>(layout.width);
    const auto height = static_cast<std::uint32_t>(layout.height);
    const auto frameCount = static_cast<std::uint32_t>(layout.frames.size());

    Bytes avih;
    for (const std::uint32_t v :
         {layout.microsecondsPerFrame, 0u, 0u, 0x10u, frameCount, 0u, 1u, 0u, width, height}) {
        appendU32(avih, v);
    }
    avih.resize(layout.mainHeaderSize);

    Bytes strh;
    appendText(strh, "vidsRLE ");
    for (const std::uint32_t v :
         {0u, 0u, 0u, layout.scale, layout.rate, 0u, frameCount, width * height, 10'000u, 0u}) {
        appendU32(strh, v);
    }
    strh.resize(56);

    Bytes strf;
    appendU32(strf, 40);
    appendU32(strf, width);
    appendU32(strf, height);
    appendU16(strf, 1);
    appendU16(strf, layout.bitCount);
    appendU32(strf, layout.compression);
    appendU32(strf, width * height);
    appendU32(strf, 0);
    appendU32(strf, 0);
    appendU32(strf, layout.colourCount != 0 ? layout.colourCount
                                            : static_cast<std::uint32_t>(layout.palette.size()));
    appendU32(strf, 0);
    for (const std::uint32_t rgb : layout.palette) {
        appendU32(strf, rgb);  // RGBQUAD: blue, green, red, reserved
    }

    Bytes movi = layout.moviBefore;
    Bytes index;
    for (const auto& [id, data] : layout.frames) {
        appendText(index, id);
        appendU32(index, 0x10);
        appendU32(index, static_cast<std::uint32_t>(movi.size() + 4));
        appendU32(index, static_cast<std::uint32_t>(data.size()));
        append(movi, chunk(id, data));
    }

    Bytes body;
    if (layout.withHdrl) {
        append(body, list("hdrl", chunk("avih", avih) +
                                      list("strl", chunk("strh", strh) + chunk("strf", strf))));
    }
    append(body, chunk("JUNK", bytes({1, 2, 3})));
    if (layout.withMovi) {
        append(body, list("movi", movi));
    }
    append(body, chunk("idx1", index));
    return list("AVI ", body, "RIFF");
}

void putU32(Bytes& file, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        file.at(offset + i) = static_cast<std::byte>((value >> (8 * i)) & 0xFFu);
    }
}

}  // namespace ui::animation
