// ICC files are big-endian throughout; every multi-byte number the engine
// puts into a profile goes through these, and so does tag alignment.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plx {

inline void PutU16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value >> 8);
    at[1] = static_cast<std::uint8_t>(value);
}

inline void PutU32(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value >> 24);
    at[1] = static_cast<std::uint8_t>(value >> 16);
    at[2] = static_cast<std::uint8_t>(value >> 8);
    at[3] = static_cast<std::uint8_t>(value);
}

// Tag data start on 4-byte boundaries.
constexpr std::size_t AlignTo4(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

}  // namespace plx
