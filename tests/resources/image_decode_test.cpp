// Decoding image entries: the PNG quick path against the general decoder,
// refusals, truncation at every cut, and the pixel limit.
#include <gtest/gtest.h>

#include <stb_image.h>
#include <stb_image_write.h>

#include <cstring>
#include <vector>

#include "resources/png_bytes.h"
#include "resources/png_decode.h"
#include "resources/image_texture.h"
#include "support/mesh_bytes.h"

namespace {

using Bytes = std::vector<unsigned char>;
using namespace lunabrelle::test;

// A compressed PNG whose rows call for varied filters (gradients and noise).
Bytes written_png(int width, int height, int channels) {
    Bytes pixels(std::size_t(width * height * channels));
    std::uint32_t noise = 1;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        noise = noise * 1664525u + 1013904223u;
        const std::size_t x = i / std::size_t(channels) % std::size_t(width), y = i / std::size_t(width * channels);
        pixels[i] = std::uint8_t(y % 7 == 3 ? noise >> 24 : (x * (i % 3 + 1) + y * 3) & 255);
    }
    Bytes png;
    stbi_write_png_to_func(
        [](void* out, void* data, int size) {
            static_cast<Bytes*>(out)->insert(static_cast<Bytes*>(out)->end(), static_cast<unsigned char*>(data),
                                             static_cast<unsigned char*>(data) + size);
        },
        &png, width, height, channels, pixels.data(), width * channels);
    return png;
}

bool plain(const Bytes& b, std::size_t count, DecodedImage* out) {
    return decode_plain_png(b.data(), std::int32_t(count), out);
}
bool general(const Bytes& b, DecodedImage* out) { return decode_image(b.data(), std::int32_t(b.size()), out); }

TEST(DecodeImage, QuickPathGivesTheGeneralDecodersPixelsTopRowFirst) {
    for (int channels : {3, 4})
        for (auto [w, h] : {std::pair{1, 1}, std::pair{33, 17}, std::pair{256, 64}}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " x" + std::to_string(channels));
            const Bytes png = written_png(w, h, channels);
            DecodedImage quick, reference;
            ASSERT_TRUE(plain(png, png.size(), &quick));
            int sw = 0, sh = 0, sn = 0;
            stbi_uc* p = stbi_load_from_memory(png.data(), int(png.size()), &sw, &sh, &sn, channels);
            EXPECT_EQ(quick.pixels, Bytes(p, p + std::size_t(w * h * channels)));
            stbi_image_free(p);
            ASSERT_TRUE(general(png, &reference));
            EXPECT_EQ((std::vector<int>{quick.width, quick.height, quick.bits_per_pixel}),
                      (std::vector<int>{w, h, channels * 8}));
            EXPECT_EQ(reference.pixels, quick.pixels);
        }
}

TEST(DecodeImage, EveryCutOfAPngIsRefusedWithoutReadingPastIt) {
    // The whole file stays in the buffer behind the cut: a reader that looks
    // past count finds valid bytes there and would succeed.
    const Bytes png = written_png(16, 16, 4);
    const std::size_t end_chunk = png.size() - 12;
    for (std::size_t cut = 0; cut < end_chunk; ++cut) {
        DecodedImage image;
        image.width = 5;
        ASSERT_FALSE(plain(png, cut, &image)) << "cut at " << cut;
        ASSERT_FALSE(decode_image(png.data(), std::int32_t(cut), &image)) << "cut at " << cut;
        ASSERT_EQ(image.width, 5);
    }
}

TEST(DecodeImage, RefusesWhatIsNoEightBitColourImage) {
    Bytes huge = make_png(1, 1, 8, kRgb, Bytes(3, 9));  // its header claims 30000 x 30000
    for (std::size_t at : {18u, 22u}) huge[at] = 30000 >> 8, huge[at + 1] = 30000 & 0xff;
    const std::uint32_t crc = crc32(&huge[12], 17);
    for (int i = 0; i < 4; ++i) huge[std::size_t(29 + i)] = std::uint8_t(crc >> (24 - 8 * i));
    Bytes tall = solid_bmp(3, 2, 10, 200, 30);  // claims more pixels than the budget
    const std::int32_t height = std::int32_t(kMaxImagePixels / 3 + 1);
    std::memcpy(&tall[22], &height, sizeof height);
    Bytes forged = solid_bmp(3, 2, 10, 200, 30);  // within the budget, but not from 62 bytes
    const std::int32_t forged_height = 12058626;
    std::memcpy(&forged[22], &forged_height, sizeof forged_height);
    const Bytes refused[] = {make_png(2, 2, 8, kGrey, Bytes(4, 9)), make_png(2, 2, 8, kGreyAlpha, Bytes(8, 9)),
                             make_png(2, 2, 16, kRgb, Bytes(24, 9)), huge, tall, forged,
                             Bytes{'f', 'l', 'o', 'w', 'e', 'r', 's', '\n'},
                             Bytes{0xff, 0xd8, 0xff, 0xe0, 0, 16, 'J', 'F', 'I', 'F', 0}};
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        DecodedImage image;
        EXPECT_FALSE(plain(refused[i], refused[i].size(), &image)) << i;
        EXPECT_FALSE(general(refused[i], &image)) << i;
        EXPECT_TRUE(image.pixels.empty()) << i;
    }
    DecodedImage image;
    EXPECT_FALSE(decode_image(nullptr, 10, &image));
    EXPECT_FALSE(decode_plain_png(nullptr, 100, &image));
}

TEST(DecodeImage, DamagedChecksumsAndTransparencyAreLeftToTheGeneralDecoder) {
    const Bytes rows = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    Bytes damaged = make_png(2, 2, 8, kRgb, rows);
    damaged[29] ^= 1;  // the header's checksum
    // An RGB image whose colour 4, 5, 6 is transparent: not for the quick path.
    Bytes keyed = make_png(2, 2, 8, kRgb, rows);
    Bytes trns;
    put_chunk(&trns, "tRNS", {0, 4, 0, 5, 0, 6});
    keyed.insert(keyed.begin() + 33, trns.begin(), trns.end());
    DecodedImage image;
    EXPECT_FALSE(plain(damaged, damaged.size(), &image));
    EXPECT_FALSE(plain(keyed, keyed.size(), &image));
    ASSERT_TRUE(general(damaged, &image));
    EXPECT_EQ(image.pixels, rows);
}

TEST(DecodeImage, PixelLimitHoldsForEveryDecoder) {
    // More pixels than 2048 x 2048 are well within the budget, whichever
    // decoder reads them.
    constexpr int kWide = 2048 * 2048 + 1;
    for (bool png : {false, true}) {
        const Bytes bytes = png ? make_png(kWide, 1, 8, kRgb, Bytes(std::size_t(kWide) * 3, 7))
                                : solid_bmp(kWide, 1, 1, 2, 3);
        DecodedImage image;
        ASSERT_TRUE(general(bytes, &image)) << png;
        EXPECT_EQ(image.width, kWide);
    }
}

}  // namespace
