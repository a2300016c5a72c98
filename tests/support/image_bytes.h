// Image files for tests, written by stb_image_write: PNGs of 8-bit samples
// (1 to 4 channels: grey, grey + alpha, RGB, RGBA) and 24-bit BMPs, with
// helpers to patch what it cannot write.
#pragma once

#include <stb_image_write.h>
#include <zlib.h>

#include <algorithm>
#include <vector>

namespace lunabrelle::test {

using Bytes = std::vector<unsigned char>;

// An stb_image_write sink appending to the Bytes at out.
inline void append_to(void* out, void* data, int size) {
    auto* p = static_cast<unsigned char*>(data);
    static_cast<Bytes*>(out)->insert(static_cast<Bytes*>(out)->end(), p, p + size);
}

inline Bytes make_png(int width, int height, int channels, const Bytes& pixels) {
    Bytes png;
    stbi_write_png_to_func(append_to, &png, width, height, channels, pixels.data(), width * channels);
    return png;
}

// An uncompressed 24-bit BMP of one colour; its height is the int32 at byte 22.
inline Bytes solid_bmp(int width, int height, unsigned char r, unsigned char g, unsigned char b) {
    Bytes pixels(std::size_t(width) * std::size_t(height) * 3), bmp;
    for (std::size_t i = 0; i < pixels.size(); i += 3) pixels[i] = r, pixels[i + 1] = g, pixels[i + 2] = b;
    stbi_write_bmp_to_func(append_to, &bmp, width, height, 3, pixels.data());
    return bmp;
}

inline void put_be32(unsigned char* at, unsigned long value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (24 - 8 * i));
}

// A whole chunk: length, type, data, check value.
inline Bytes png_chunk(const char* type, const Bytes& data) {
    Bytes chunk(data.size() + 12);
    put_be32(&chunk[0], data.size());
    std::copy(type, type + 4, &chunk[4]);
    std::copy(data.begin(), data.end(), &chunk[8]);
    put_be32(&chunk[8 + data.size()], crc32(0, &chunk[4], uInt(data.size() + 4)));
    return chunk;
}

// Recomputes the header chunk's check value after a test changed its fields
// (width at byte 16, height 20, bit depth 24, colour type 25).
inline void mend_header(Bytes* png) { put_be32(&(*png)[29], crc32(0, &(*png)[12], 17)); }

}  // namespace lunabrelle::test
