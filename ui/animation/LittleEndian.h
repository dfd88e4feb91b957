#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace ui::animation {

// Readers of little-endian fields; the caller has checked that the bytes are there.
inline std::uint16_t u16At(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[offset]) |
                                      std::to_integer<unsigned>(bytes[offset + 1]) << 8);
}

inline std::uint32_t u32At(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(u16At(bytes, offset)) |
           static_cast<std::uint32_t>(u16At(bytes, offset + 2)) << 16;
}

inline std::int32_t i32At(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<std::int32_t>(u32At(bytes, offset));
}

inline std::string_view fourCcAt(std::span<const std::byte> bytes, std::size_t offset) {
    return {reinterpret_cast<const char*>(bytes.data() + offset), 4};
}

}  // namespace ui::animation
