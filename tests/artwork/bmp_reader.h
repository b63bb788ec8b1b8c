// Minimal reader for the uncompressed BMPs the program ships: 24-bit and
// 8-bit palettised, BITMAPINFOHEADER. It keeps the raw header fields so the
// tests can check exactly what the resource compiler will embed.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace artwork_test {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    uint8_t channel(int c) const { return c == 0 ? r : c == 1 ? g : b; }
};

struct Bmp {
    bool ok = false;
    std::string error;
    uint32_t info_size = 0;
    int32_t width = 0;
    int32_t height = 0;  // as stored: positive means bottom-up
    uint16_t planes = 0;
    uint16_t bpp = 0;
    uint32_t compression = 0;
    uint32_t colours_used = 0;
    std::vector<Rgb> palette;
    std::vector<Rgb> pixels;  // top-down, row-major

    Rgb at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

namespace detail {
inline uint32_t u32(const std::vector<uint8_t>& d, size_t o) {
    return d[o] | d[o + 1] << 8 | d[o + 2] << 16 | static_cast<uint32_t>(d[o + 3]) << 24;
}
inline uint16_t u16(const std::vector<uint8_t>& d, size_t o) {
    return static_cast<uint16_t>(d[o] | d[o + 1] << 8);
}
}  // namespace detail

inline Bmp read_bmp(const std::string& path) {
    using detail::u16;
    using detail::u32;
    Bmp b;
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        b.error = "cannot open " + path;
        return b;
    }
    std::vector<uint8_t> d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') {
        b.error = "not a BMP";
        return b;
    }
    const uint32_t bits_at = u32(d, 10);
    b.info_size = u32(d, 14);
    b.width = static_cast<int32_t>(u32(d, 18));
    b.height = static_cast<int32_t>(u32(d, 22));
    b.planes = u16(d, 26);
    b.bpp = u16(d, 28);
    b.compression = u32(d, 30);
    b.colours_used = u32(d, 46);
    if (b.width <= 0 || b.height <= 0 || (b.bpp != 24 && b.bpp != 8) || b.compression != 0) {
        b.error = "unsupported layout";
        return b;
    }
    if (b.bpp == 8) {
        const uint32_t n = b.colours_used ? b.colours_used : 256;
        const size_t pal_at = 14 + b.info_size;
        if (pal_at + 4 * n > d.size()) {
            b.error = "palette truncated";
            return b;
        }
        for (uint32_t i = 0; i < n; ++i)
            b.palette.push_back({d[pal_at + 4 * i + 2], d[pal_at + 4 * i + 1], d[pal_at + 4 * i]});
    }
    const size_t stride = ((static_cast<size_t>(b.width) * b.bpp + 31) / 32) * 4;
    if (bits_at + stride * b.height > d.size()) {
        b.error = "pixel data truncated";
        return b;
    }
    b.pixels.resize(static_cast<size_t>(b.width) * b.height);
    for (int y = 0; y < b.height; ++y) {
        const size_t row = bits_at + stride * (b.height - 1 - y);  // stored bottom-up
        for (int x = 0; x < b.width; ++x) {
            Rgb& p = b.pixels[static_cast<size_t>(y) * b.width + x];
            if (b.bpp == 24) {
                p = {d[row + 3 * x + 2], d[row + 3 * x + 1], d[row + 3 * x]};
            } else {
                const uint8_t i = d[row + x];
                if (i >= b.palette.size()) {
                    b.error = "palette index out of range";
                    return b;
                }
                p = b.palette[i];
            }
        }
    }
    b.ok = true;
    return b;
}

}  // namespace artwork_test
