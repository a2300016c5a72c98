#include "resources/png_decode.h"

#include <gtest/gtest.h>

#include <stb_image.h>
#include <stb_image_write.h>

#include <cstdint>
#include <vector>

#include "resources/png_bytes.h"

namespace {

using Bytes = std::vector<unsigned char>;
using lunabrelle::test::make_png;

// A compressed PNG whose rows use varied filters: stb's writer picks the
// filter per row, and rows of gradients and of noise call for different ones.
Bytes written_png(int width, int height, int channels) {
    Bytes pixels(std::size_t(width * height * channels));
    std::uint32_t noise = 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c) {
                noise = noise * 1664525u + 1013904223u;
                const int smooth = (x * (c + 1) + y * (3 - c % 3)) & 255;
                pixels[std::size_t((y * width + x) * channels + c)] =
                    std::uint8_t(y % 7 == 3 ? noise >> 24 : smooth);
            }
    Bytes png;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            auto* out = static_cast<Bytes*>(context);
            const auto* bytes = static_cast<const unsigned char*>(data);
            out->insert(out->end(), bytes, bytes + size);
        },
        &png, width, height, channels, pixels.data(), width * channels);
    return png;
}

Bytes stb_pixels(const Bytes& png, int channels) {
    int w = 0, h = 0, n = 0;
    stbi_uc* p = stbi_load_from_memory(png.data(), int(png.size()), &w, &h, &n, channels);
    Bytes result(p, p + std::size_t(w * h * channels));
    stbi_image_free(p);
    return result;
}

TEST(PlainPng, SamePixelsAsTheGeneralDecoder) {
    for (int channels : {3, 4})
        for (auto [w, h] : {std::pair{1, 1}, std::pair{33, 17}, std::pair{256, 64}}) {
            const Bytes png = written_png(w, h, channels);
            DecodedImage image;
            ASSERT_TRUE(decode_plain_png(png.data(), std::int32_t(png.size()), &image));
            EXPECT_EQ(image.width, w);
            EXPECT_EQ(image.height, h);
            EXPECT_EQ(image.bits_per_pixel, channels * 8);
            EXPECT_EQ(image.pixels, stb_pixels(png, channels)) << w << "x" << h << " x" << channels;
        }
}

TEST(PlainPng, LeavesOtherAndDamagedFilesAlone) {
    const Bytes good = written_png(16, 16, 4);
    Bytes bad_checksum = good;
    bad_checksum[29] ^= 1;  // the IHDR checksum
    const Bytes truncated(good.begin(), good.end() - 40);
    const Bytes grey = make_png(2, 2, 8, lunabrelle::test::kGrey, Bytes(4, 9));
    const Bytes rgb16 = make_png(2, 2, 16, lunabrelle::test::kRgb, Bytes(24, 9));
    // A header claiming 30000 x 30000 pixels over one row of data.
    Bytes huge = make_png(1, 1, 8, lunabrelle::test::kRgb, Bytes(3, 9));
    for (int at : {16, 20}) {
        huge[std::size_t(at + 2)] = 30000 >> 8;
        huge[std::size_t(at + 3)] = 30000 & 0xff;
    }
    const std::uint32_t crc = lunabrelle::test::crc32(&huge[12], 17);
    for (int i = 0; i < 4; ++i) huge[std::size_t(29 + i)] = std::uint8_t(crc >> (24 - 8 * i));
    const Bytes jpeg_start = {0xff, 0xd8, 0xff, 0xe0, 0, 16, 'J', 'F', 'I', 'F', 0};

    DecodedImage image;
    image.width = 5;
    for (const Bytes* bytes : std::initializer_list<const Bytes*>{&bad_checksum, &truncated, &grey, &rgb16, &huge, &jpeg_start})
        EXPECT_FALSE(decode_plain_png(bytes->data(), std::int32_t(bytes->size()), &image));
    EXPECT_FALSE(decode_plain_png(good.data(), 7, &image));
    EXPECT_FALSE(decode_plain_png(nullptr, 100, &image));
    EXPECT_EQ(image.width, 5);
    EXPECT_TRUE(image.pixels.empty());
}

// What the quick path refuses still decodes as before.
TEST(PlainPng, DamagedChecksumStillDecodesThroughTheGeneralPath) {
    const Bytes rows = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    Bytes png = make_png(2, 2, 8, lunabrelle::test::kRgb, rows);
    png[29] ^= 1;
    DecodedImage image;
    ASSERT_TRUE(decode_image(png.data(), std::int32_t(png.size()), &image));
    EXPECT_EQ(image.pixels, rows);
}

}  // namespace
