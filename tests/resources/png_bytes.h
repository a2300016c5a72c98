// Hand-made PNG files for the decoder tests: filter 0 on every row, one IDAT
// chunk of stored (uncompressed) deflate blocks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace lunabrelle::test {

enum PngColour { kGrey = 0, kRgb = 2, kGreyAlpha = 4, kRgba = 6 };

inline void put_be32(std::vector<unsigned char>* out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<unsigned char>(v >> shift));
}

inline std::uint32_t crc32(const unsigned char* p, std::size_t n) {
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline void put_chunk(std::vector<unsigned char>* out, const char* type,
                      const std::vector<unsigned char>& data) {
    put_be32(out, static_cast<std::uint32_t>(data.size()));
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out->insert(out->end(), body.begin(), body.end());
    put_be32(out, crc32(body.data(), body.size()));
}

// rows: height rows of tightly packed samples (big-endian for 16-bit depth).
inline std::vector<unsigned char> make_png(int width, int height, int bit_depth, PngColour colour,
                                           const std::vector<unsigned char>& rows) {
    const std::size_t row_bytes = rows.size() / std::size_t(height);
    std::vector<unsigned char> filtered;
    for (int y = 0; y < height; ++y) {
        filtered.push_back(0);
        const auto row = rows.begin() + std::ptrdiff_t(std::size_t(y) * row_bytes);
        filtered.insert(filtered.end(), row, row + std::ptrdiff_t(row_bytes));
    }
    std::vector<unsigned char> zlib = {0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, filtered.size() - at);
        zlib.push_back(at + n == filtered.size() ? 1 : 0);
        zlib.push_back(n & 0xff);
        zlib.push_back(n >> 8);
        zlib.push_back(~n & 0xff);
        zlib.push_back((~n >> 8) & 0xff);
        zlib.insert(zlib.end(), filtered.begin() + at, filtered.begin() + at + n);
        at += n;
    } while (at < filtered.size());
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : filtered) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    put_be32(&zlib, b << 16 | a);

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<unsigned char> header;
    put_be32(&header, std::uint32_t(width));
    put_be32(&header, std::uint32_t(height));
    header.push_back(static_cast<unsigned char>(bit_depth));
    header.push_back(static_cast<unsigned char>(colour));
    header.insert(header.end(), {0, 0, 0});  // deflate, adaptive filters, no interlace
    put_chunk(&png, "IHDR", header);
    put_chunk(&png, "IDAT", zlib);
    put_chunk(&png, "IEND", {});
    return png;
}

}  // namespace lunabrelle::test
