// RGB PNGs with a colour key (tRNS) keep their transparency.
#include <gtest/gtest.h>

#include <vector>

#include "resources/image_texture.h"
#include "resources/png_bytes.h"

namespace {

using namespace lunabrelle::test;

TEST(PngColourKey, AnRgbPngWithAColourKeyKeepsItsTransparency) {
    // Two pixels; the first has the key colour (10, 20, 30).
    std::vector<unsigned char> png = make_png(2, 1, 8, kRgb, {10, 20, 30, 40, 50, 60});
    std::vector<unsigned char> key;
    put_chunk(&key, "tRNS", {0, 10, 0, 20, 0, 30});
    png.insert(png.begin() + 33, key.begin(), key.end());  // after the signature and IHDR
    DecodedImage image;
    ASSERT_TRUE(decode_image(png.data(), std::int32_t(png.size()), &image));
    ASSERT_EQ(image.bits_per_pixel, 32);
    EXPECT_EQ(image.pixels, (std::vector<std::uint8_t>{10, 20, 30, 0, 40, 50, 60, 255}));
}

}  // namespace
