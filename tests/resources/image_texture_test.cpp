#include "resources/image_texture.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>
#include <vector>

#include "resources/image_scale.h"
#include "resources/png_bytes.h"
#include "support/gl_test.h"
#include "support/mesh_bytes.h"

namespace {

using lunabrelle::test::make_png;
using Bytes = std::vector<unsigned char>;

// Rows of a 3 x 2 RGB image: 9-byte rows, which the default unpack alignment
// of 4 would misread.
const Bytes kRgb3x2 = {255, 0, 0, 0, 255, 0, 0, 0, 255,  //
                       255, 255, 0, 0, 255, 255, 255, 0, 255};

GLint level_parameter(int level, GLenum name) {
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
    return value;
}

Bytes level0_rgb() {
    const int w = level_parameter(0, GL_TEXTURE_WIDTH), h = level_parameter(0, GL_TEXTURE_HEIGHT);
    Bytes texels(std::size_t(w * h * 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

TEST(DecodeImage, KeepsRowsTopFirstAndTightlyPacked) {
    const Bytes png = make_png(3, 2, 8, lunabrelle::test::kRgb, kRgb3x2);
    DecodedImage image;
    ASSERT_TRUE(decode_image(png.data(), std::int32_t(png.size()), &image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.bits_per_pixel, 24);
    EXPECT_EQ(image.pixels, kRgb3x2);
}

TEST(DecodeImage, RefusesGreySixteenBitAndNonImages) {
    DecodedImage image;
    const Bytes grey = make_png(2, 2, 8, lunabrelle::test::kGrey, Bytes(4, 9));
    const Bytes grey_alpha = make_png(2, 2, 8, lunabrelle::test::kGreyAlpha, Bytes(8, 9));
    const Bytes rgb16 = make_png(2, 2, 16, lunabrelle::test::kRgb, Bytes(24, 9));
    const Bytes text = {'f', 'l', 'o', 'w', 'e', 'r', 's', '\n'};
    for (const Bytes* bytes : {&grey, &grey_alpha, &rgb16, &text})
        EXPECT_FALSE(decode_image(bytes->data(), std::int32_t(bytes->size()), &image));
    EXPECT_FALSE(decode_image(grey.data(), 0, &image));
    EXPECT_FALSE(decode_image(nullptr, 10, &image));
}

TEST(DecodeImage, RefusesImagesAboveThePixelLimitFromTheirHeader) {
    DecodedImage image;
    // A BMP header claiming 3 x (limit / 3 + 1) pixels followed by six bytes of
    // them: refused from its size alone, never decoded.
    Bytes tall = lunabrelle::test::solid_bmp(3, 2, 10, 200, 30);
    const std::int32_t height = std::int32_t(kMaxImagePixels / 3 + 1);
    std::memcpy(&tall[22], &height, sizeof height);
    EXPECT_FALSE(decode_image(tall.data(), std::int32_t(tall.size()), &image));

    // More pixels than 2048 x 2048 are well within it, whichever decoder reads them.
    const Bytes wide = lunabrelle::test::solid_bmp(2048 * 2048 + 1, 1, 1, 2, 3);
    ASSERT_TRUE(decode_image(wide.data(), std::int32_t(wide.size()), &image));
    EXPECT_EQ(image.width, 2048 * 2048 + 1);
    const Bytes wide_png = make_png(2048 * 2048 + 1, 1, 8, lunabrelle::test::kRgb, Bytes((2048 * 2048 + 1) * 3, 7));
    ASSERT_TRUE(decode_image(wide_png.data(), std::int32_t(wide_png.size()), &image));
    EXPECT_EQ(image.width, 2048 * 2048 + 1);
}

class MacLoadTex : public lunabrelle::test::GlTest {};

TEST_F(MacLoadTex, UploadsRgbMipmappedWithTrilinearFilters) {
    const Bytes pixels = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
    const Bytes png = make_png(2, 2, 8, lunabrelle::test::kRgb, pixels);
    GLuint name = mac_load_tex(png.data(), std::int32_t(png.size()));
    ASSERT_NE(name, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), name);
    EXPECT_EQ(level_parameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
    EXPECT_EQ(level_parameter(1, GL_TEXTURE_WIDTH), 1);
    EXPECT_EQ(level_parameter(1, GL_TEXTURE_HEIGHT), 1);
    GLint mag = 0, min = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
    EXPECT_EQ(mag, GL_LINEAR);
    EXPECT_EQ(min, GL_LINEAR_MIPMAP_LINEAR);
    // 6-byte rows: the second row must start right after the first.
    EXPECT_EQ(level0_rgb(), pixels);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(MacLoadTex, ScalesThreeByTwoRgbToFourByTwoWithoutSkewAndRestoresAlignment) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    const Bytes png = make_png(3, 2, 8, lunabrelle::test::kRgb, kRgb3x2);
    ASSERT_NE(mac_load_tex(png.data(), std::int32_t(png.size())), 0u);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
    ASSERT_EQ(level_parameter(0, GL_TEXTURE_WIDTH), 4);
    ASSERT_EQ(level_parameter(0, GL_TEXTURE_HEIGHT), 2);
    // Each new texel averages the old ones it covers: 1/3 and 2/3 in the middle.
    const Bytes expected = {255, 0, 0, 85, 170, 0, 0, 170, 85, 0, 0, 255,  //
                            255, 255, 0, 85, 255, 170, 85, 170, 255, 255, 0, 255};
    EXPECT_EQ(level0_rgb(), expected);
}

TEST_F(MacLoadTex, UploadsRgbaAsRgba) {
    const Bytes pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const Bytes png = make_png(2, 2, 8, lunabrelle::test::kRgba, pixels);
    ASSERT_NE(mac_load_tex(png.data(), std::int32_t(png.size())), 0u);
    EXPECT_EQ(level_parameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
    Bytes texels(16);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texels, pixels);
}

TEST_F(MacLoadTex, RefusedImagesGenerateNoTextureName) {
    const Bytes grey = make_png(2, 2, 8, lunabrelle::test::kGrey, Bytes(4, 9));
    const Bytes rgb16 = make_png(2, 2, 16, lunabrelle::test::kRgb, Bytes(24, 9));
    const Bytes text = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    for (const Bytes* bytes : {&grey, &rgb16, &text})
        EXPECT_EQ(mac_load_tex(bytes->data(), std::int32_t(bytes->size())), 0u);
    // In a fresh context the first name handed out is 1: none was taken above.
    GLuint next = 0;
    glGenTextures(1, &next);
    EXPECT_EQ(next, 1u);
}

TEST(ImageScale, NearestPowerOfTwoRoundsTiesUp) {
    const int cases[][2] = {{1, 1}, {2, 2}, {3, 4}, {5, 4}, {6, 8}, {7, 8}, {11, 8}, {12, 16}, {64, 64}};
    for (const auto& c : cases) EXPECT_EQ(nearest_power_of_two(c[0]), c[1]) << c[0];
}

TEST(ImageScale, AveragesCoveredPixelsWhenShrinking) {
    DecodedImage image{5, 1, 32, {}};
    for (int v : {0, 50, 100, 150, 200})
        image.pixels.insert(image.pixels.end(), {std::uint8_t(v), 0, 0, 255});
    scale_image(&image, 4, 1);
    // New texel 1 covers the last 3/4 of old 1 and the first half of old 2:
    // (0.75 * 50 + 0.5 * 100) / 1.25 = 70.
    const Bytes expected = {10, 0, 0, 255, 70, 0, 0, 255, 130, 0, 0, 255, 190, 0, 0, 255};
    EXPECT_EQ(image.pixels, expected);
}

}  // namespace
