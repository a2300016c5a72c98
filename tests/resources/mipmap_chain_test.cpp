#include "resources/mipmap_chain.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <random>
#include <vector>

#include "support/gl_test.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

DecodedImage image_of(int width, int height, int channels, Bytes pixels) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.bits_per_pixel = channels * 8;
    image.pixels = std::move(pixels);
    return image;
}

TEST(HalveImage, RoundsBlocksAndTruncatesLines) {
    // 2 x 2 RGB: sums 3, 5 and 1020 average to 1 ((3 + 2) / 4), 1 and 255.
    DecodedImage square = image_of(2, 2, 3, {0, 2, 255, 1, 1, 255, 1, 1, 255, 1, 1, 255});
    halve_image(&square);
    EXPECT_EQ(square.width, 1);
    EXPECT_EQ(square.height, 1);
    EXPECT_EQ(square.pixels, (Bytes{1, 1, 255}));

    // A 4 x 1 RGBA row and a 1 x 4 column: pairs average down, 0 + 1 to 0.
    const Bytes line = {0, 10, 200, 255, 1, 11, 201, 254, 7, 7, 7, 7, 9, 9, 9, 9};
    for (auto [w, h] : {std::pair{4, 1}, std::pair{1, 4}}) {
        DecodedImage image = image_of(w, h, 4, line);
        halve_image(&image);
        EXPECT_EQ(image.width, w == 1 ? 1 : 2);
        EXPECT_EQ(image.height, h == 1 ? 1 : 2);
        EXPECT_EQ(image.pixels, (Bytes{0, 10, 200, 254, 8, 8, 8, 8}));
    }
}

class MipmapChain : public lunabrelle::test::GlTest {
protected:
    // Every level of the bound texture, read back in format.
    static std::vector<Bytes> levels(GLenum format, int channels) {
        std::vector<Bytes> result;
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        for (int level = 0;; ++level) {
            GLint w = 0, h = 0;
            glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
            glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
            if (w == 0 || h == 0) return result;
            Bytes texels(std::size_t(w) * std::size_t(h) * std::size_t(channels));
            glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, texels.data());
            result.push_back(std::move(texels));
        }
    }
};

// The chain must hold the very texels GLU's builder made for the same image,
// level for level, whatever the shape.
TEST_F(MipmapChain, EqualsGluLevelForLevel) {
    std::mt19937 random(7);
    const std::pair<int, int> shapes[] = {{1, 1}, {2, 1}, {1, 8}, {16, 16}, {64, 4}, {2, 32}, {128, 256}};
    for (int channels : {3, 4}) {
        const GLenum format = channels == 3 ? GL_RGB : GL_RGBA;
        for (auto [w, h] : shapes) {
            Bytes pixels(std::size_t(w * h * channels));
            for (auto& p : pixels) p = std::uint8_t(random());
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

            GLuint names[2];
            glGenTextures(2, names);
            glBindTexture(GL_TEXTURE_2D, names[0]);
            ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, GLint(format), w, h, format, GL_UNSIGNED_BYTE,
                                        pixels.data()),
                      0);
            const auto expected = levels(format, channels);

            glBindTexture(GL_TEXTURE_2D, names[1]);
            DecodedImage image = image_of(w, h, channels, pixels);
            upload_mipmap_chain(&image);
            EXPECT_EQ(image.width, 1);
            EXPECT_EQ(image.height, 1);
            const auto built = levels(format, channels);

            ASSERT_EQ(built.size(), expected.size()) << w << "x" << h << " x" << channels;
            for (std::size_t level = 0; level < built.size(); ++level)
                EXPECT_EQ(built[level], expected[level])
                    << w << "x" << h << " x" << channels << " level " << level;
            GLint internal = 0;
            glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internal);
            EXPECT_EQ(internal, GLint(format));
            EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
            glDeleteTextures(2, names);
        }
    }
}

}  // namespace
