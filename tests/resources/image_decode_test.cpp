// Decoding image entries: the PNG and JPEG quick paths against what was
// written, refusals, every cut, colour keys, the pixel budget, and the guards
// that keep malformed PNG chunks and JPEG Huffman tables from the decoder.
#include <gtest/gtest.h>

#include <stb_image.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "resources/decoder_guards.h"
#include "resources/image_texture.h"
#include "resources/jpeg_decode.h"
#include "resources/png_decode.h"
#include "support/image_bytes.h"

namespace {

using namespace lunabrelle::test;

// RGB gradients with rows of noise, so that the PNG writer picks varied row
// filters and every JPEG block has detail to round.
Bytes pattern(int width, int height) {
    Bytes pixels(std::size_t(width * height * 3));
    std::uint32_t noise = 1;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        noise = noise * 1664525u + 1013904223u;
        const std::size_t x = i / 3 % std::size_t(width), y = i / std::size_t(width * 3);
        pixels[i] = std::uint8_t(y % 7 == 3 ? noise >> 24 : (x * (i % 3 + 1) + y * 3) & 255);
    }
    return pixels;
}

Bytes make_jpeg(int width, int height) {
    Bytes jpeg;
    stbi_write_jpg_to_func(append_to, &jpeg, width, height, 3, pattern(width, height).data(), 90);
    return jpeg;
}

bool quick(const Bytes& b, DecodedImage* out, std::size_t count = INT_MAX) {
    return decode_plain_png(b.data(), std::int32_t(std::min(count, b.size())), out);
}
bool general(const Bytes& b, DecodedImage* out, std::size_t count = INT_MAX) {
    return decode_image(b.data(), std::int32_t(std::min(count, b.size())), out);
}

TEST(DecodeImage, QuickPathsGiveThePixelsWrittenLeaveDamageAndColourKeysToTheGeneralDecoderAndRefuseEveryCut) {
    const Bytes pixels = pattern(33, 17), png = make_png(33, 17, 3, pixels), jpeg = make_jpeg(50, 38);
    DecodedImage image;
    ASSERT_TRUE(quick(png, &image));
    EXPECT_EQ(image.pixels, pixels);
    EXPECT_EQ((std::vector<int>{image.width, image.height, image.bits_per_pixel}), (std::vector<int>{33, 17, 24}));
    ASSERT_TRUE(decode_colour_jpeg(jpeg.data(), std::int32_t(jpeg.size()), &image));
    EXPECT_EQ((std::vector<int>{image.width, image.height, image.bits_per_pixel}), (std::vector<int>{50, 38, 24}));
    int w = 0, h = 0, n = 0;
    stbi_uc* reference = stbi_load_from_memory(jpeg.data(), int(jpeg.size()), &w, &h, &n, 3);
    ASSERT_NE(reference, nullptr);
    ASSERT_EQ(image.pixels.size(), std::size_t(w * h * 3));
    int worst = 0;
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        worst = std::max(worst, std::abs(int(image.pixels[i]) - int(reference[i])));
    stbi_image_free(reference);
    EXPECT_LE(worst, 8) << "the general decoder's picture, but for rounding";
    // Damaged check values and colour keys are left to the general decoder.
    const Bytes rows = {10, 20, 30, 40, 50, 60, 7, 8, 9, 10, 20, 30};  // 2 x 2, colour 10, 20, 30 keyed
    Bytes damaged = make_png(2, 2, 3, rows), keyed = damaged;
    damaged[29] ^= 1;  // the header's check value
    const Bytes key = png_chunk("tRNS", {0, 10, 0, 20, 0, 30});
    keyed.insert(keyed.begin() + 33, key.begin(), key.end());
    EXPECT_FALSE(quick(damaged, &image) || quick(keyed, &image));
    ASSERT_TRUE(general(damaged, &image));
    EXPECT_EQ(image.pixels, rows);
    ASSERT_TRUE(general(keyed, &image));
    EXPECT_EQ(image.pixels, (Bytes{10, 20, 30, 0, 40, 50, 60, 255, 7, 8, 9, 255, 10, 20, 30, 0}));

    // The whole file stays in the buffer behind each cut: a reader that looks
    // past count finds valid bytes there and would succeed. (The general
    // decoder takes a cut JPEG for what it holds.)
    for (std::size_t cut = 0; cut < std::max(png.size() - 12, jpeg.size()); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        DecodedImage untouched{5, 0, 0, {}};
        ASSERT_FALSE(cut < png.size() - 12 && (quick(png, &untouched, cut) || general(png, &untouched, cut)));
        ASSERT_FALSE(cut < jpeg.size() && decode_colour_jpeg(jpeg.data(), std::int32_t(cut), &untouched));
        ASSERT_EQ(untouched.width, 5);
    }
}

TEST(DecodeImage, RefusesWhatIsNoEightBitColourImageOrOverThePixelBudget) {
    Bytes deep = make_png(4, 2, 3, Bytes(24, 9)), huge = make_png(1, 1, 3, Bytes(3, 9));
    deep[19] = 2, deep[24] = 16;  // 2 x 2 of 16-bit samples: the same row length
    huge[18] = huge[22] = 30000 >> 8, huge[19] = huge[23] = 30000 & 0xff;
    mend_header(&deep), mend_header(&huge);
    // More pixels than the budget, from enough bytes to hold them; within the
    // budget, but more than 78 bytes can unpack to.
    Bytes tall = solid_bmp(3, 700, 10, 200, 30), forged = solid_bmp(3, 2, 10, 200, 30);
    const std::int32_t heights[] = {std::int32_t(kMaxImagePixels / 3 + 1), 12058626};
    std::memcpy(&tall[22], &heights[0], 4), std::memcpy(&forged[22], &heights[1], 4);
    for (const Bytes& bytes : {make_png(2, 2, 1, Bytes(4, 9)), make_png(2, 2, 2, Bytes(8, 9)), deep, huge, tall, forged,
                               Bytes{'f', 'l', 'o', 'w', 'e', 'r', 's', '\n'},
                               Bytes{0xff, 0xd8, 0xff, 0xe0, 0, 16, 'J', 'F', 'I', 'F', 0}}) {
        DecodedImage image;
        EXPECT_FALSE(quick(bytes, &image) || general(bytes, &image)) << bytes.size();
        EXPECT_TRUE(image.pixels.empty());
    }
    DecodedImage image;
    EXPECT_FALSE(decode_image(nullptr, 10, &image) || decode_plain_png(nullptr, 100, &image));
    // More than 2048 x 2048 pixels decode.
    constexpr int kWide = 2048 * 2048 + 1;
    ASSERT_TRUE(general(solid_bmp(kWide, 1, 1, 2, 3), &image));
    EXPECT_EQ(image.width, kWide);
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A Huffman table segment holding one table with the given code counts; slot
// 0x00 .. 0x03 are DC tables, 0x10 .. 0x13 AC tables.
Bytes table(const Bytes& counts, unsigned char slot = 0x00) {
    std::size_t codes = 0;
    for (unsigned char c : counts) codes += c;
    Bytes out{0xFF, 0xC4, std::uint8_t((19 + codes) >> 8), std::uint8_t(19 + codes), slot};
    for (std::size_t i = 0; i < 16; ++i) out.push_back(i < counts.size() ? counts[i] : 0);
    out.insert(out.end(), codes, 0x01);
    return out;
}

// A scan of component 1 with tables (DC << 4 | AC), a spectral range and a
// byte of data.
Bytes scan(unsigned char tables, unsigned char start, unsigned char end, unsigned char pass = 0) {
    return {0xFF, 0xDA, 0x00, 0x08, 1, 1, tables, start, end, pass, 0x12};
}

TEST(DecoderGuards, PngChunksPastTheEndAndJpegHuffmanTablesOverlongOrUndefinedWhereTheDecoderReadsThem) {
    const Bytes png = make_png(2, 2, 3, Bytes(12, 40)), jpeg = make_jpeg(8, 8);
    const unsigned long data = png[35] << 8 | png[36];  // the image data chunk's length, at 33
    auto with_length = [&](unsigned long n) {
        Bytes b = png;
        put_be32(&b[33], n);
        return b;
    };
    const Bytes soi{0xFF, 0xD8}, eoi{0xFF, 0xD9}, overlong = table({0, 0, 0, 0, 0, 0, 0, 0, 128, 129});
    const Bytes dc0 = table({1}), ac0 = table({1}, 0x10), ac1 = table({1}, 0x11);
    const Bytes app{0xFF, 0xE1, 0x00, std::uint8_t(2 + overlong.size())};
    Bytes baseline{0xFF, 0xC0, 0x00, 0x0B, 8, 0, 8, 0, 8, 1, 1, 0x11, 0}, progressive = baseline;
    progressive[1] = 0xC2;
    // A PNG chunk's data, check value and the 12-byte end chunk follow its header.
    const std::pair<Bytes, bool> cases[] = {
        {png, true},
        {Bytes(png.begin(), png.end() - 4), true},  // the end chunk's check value is never read
        {with_length(data + 16), true},
        {with_length(data + 17), false},
        {Bytes(png.begin(), png.begin() + 45), false},
        {jpeg, true},
        {join({soi, overlong, Bytes(jpeg.begin() + 2, jpeg.end())}), false},
        {join({soi, Bytes{0x12, 0x34, 0xFF, 0xFF}, overlong}), false},  // junk and fill bytes first
        {join({soi, Bytes(overlong.begin(), overlong.begin() + 15)}), false},  // cut inside the counts
        {join({soi, app, overlong, eoi}), true},                           // inside a payload
        {join({soi, eoi, overlong}), true},                                // after the end
        {join({soi, baseline, dc0, ac0, scan(0x00, 0, 63), eoi}), true},
        {join({soi, baseline, dc0, ac1, scan(0x00, 0, 63), eoi}), false},  // AC table 0 undefined
        {join({soi, baseline, dc0, scan(0x00, 0, 63), ac0, eoi}), false},  // defined after the scan
        {join({soi, progressive, scan(0x20, 0, 0, 0x10), eoi}), true},     // a later DC pass needs none
        {join({soi, progressive, dc0, ac1, scan(0x00, 1, 63), eoi}), false},  // an AC scan its AC table
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Bytes& b = cases[i].first;
        const bool sound = png_chunks_fit(b.data(), b.size()) && jpeg_huffman_tables_sound(b.data(), b.size());
        EXPECT_EQ(sound, cases[i].second) << i;
        DecodedImage image;
        EXPECT_TRUE(cases[i].second || !general(b, &image)) << i;
    }
}

}  // namespace
