// The JPEG quick path against the general decoder, and what it leaves to it.
#include <gtest/gtest.h>

#include <stb_image.h>

#include <cstdlib>

#include "resources/image_texture.h"
#include "resources/jpeg_decode.h"
#include "resources/png_bytes.h"

namespace {

using namespace lunabrelle::test;

// An RGB JPEG of gradients and noise, so that every block has detail to round.
Bytes written_jpeg(int width, int height) {
    Bytes pixels(std::size_t(width * height * 3));
    std::uint32_t noise = 7;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        noise = noise * 1664525u + 1013904223u;
        pixels[i] = std::uint8_t((i % 251) / 2 + (noise >> 26));
    }
    Bytes jpeg;
    stbi_write_jpg_to_func(append_to, &jpeg, width, height, 3, pixels.data(), 90);
    return jpeg;
}

TEST(JpegQuickPath, GivesTheGeneralDecodersPictureAndLeavesDamageToIt) {
    const Bytes jpeg = written_jpeg(50, 38);
    DecodedImage quick, general;
    ASSERT_TRUE(decode_colour_jpeg(jpeg.data(), std::int32_t(jpeg.size()), &quick));
    EXPECT_EQ((std::vector<int>{quick.width, quick.height, quick.bits_per_pixel}), (std::vector<int>{50, 38, 24}));
    ASSERT_TRUE(decode_image(jpeg.data(), std::int32_t(jpeg.size()), &general));
    EXPECT_EQ(general.pixels, quick.pixels);
    int w = 0, h = 0, n = 0;
    stbi_uc* reference = stbi_load_from_memory(jpeg.data(), int(jpeg.size()), &w, &h, &n, 3);
    ASSERT_NE(reference, nullptr);
    ASSERT_EQ(quick.pixels.size(), std::size_t(w * h * 3));
    int worst = 0;
    for (std::size_t i = 0; i < quick.pixels.size(); ++i)
        worst = std::max(worst, std::abs(int(quick.pixels[i]) - int(reference[i])));
    stbi_image_free(reference);
    EXPECT_LE(worst, 8) << "rounding only, not another picture";

    // Every cut is read from a buffer of exactly its length.
    for (std::size_t cut = 0; cut < jpeg.size(); ++cut) {
        const Bytes part(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(cut));
        DecodedImage out;
        ASSERT_FALSE(decode_colour_jpeg(part.data(), std::int32_t(part.size()), &out)) << cut;
        ASSERT_TRUE(out.pixels.empty()) << cut;
    }
}

}  // namespace
