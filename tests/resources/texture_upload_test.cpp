// Image entries uploaded as mipmapped textures in a real context.
#include <GL/gl.h>
#include <GL/glu.h>

#include <random>

#include "resources/image_scale.h"
#include "resources/image_texture.h"
#include "support/gl_test.h"
#include "support/image_bytes.h"

namespace {

using namespace lunabrelle::test;

class TextureUpload : public GlTest {
protected:
    static GLint level_parameter(int level, GLenum name) {
        GLint value = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
        return value;
    }
    // Every level of the bound texture, read back in format.
    static std::vector<Bytes> levels(GLenum format) {
        std::vector<Bytes> result;
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        for (int level = 0; level_parameter(level, GL_TEXTURE_WIDTH) > 0; ++level) {
            result.emplace_back(std::size_t(level_parameter(level, GL_TEXTURE_WIDTH) *
                                            level_parameter(level, GL_TEXTURE_HEIGHT) * (format == GL_RGB ? 3 : 4)));
            glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, result.back().data());
        }
        return result;
    }
};

TEST_F(TextureUpload, MipmappedLevelForLevelAsGluWithTrilinearFiltersAndLeftBound) {
    // A refused image generates no texture name: in a fresh context the first
    // name handed out is 1.
    for (const Bytes& bytes : {make_png(2, 2, 1, Bytes(4, 9)), Bytes{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'}})
        EXPECT_EQ(mac_load_tex(bytes.data(), std::int32_t(bytes.size())), 0u);
    std::mt19937 random(7);
    GLuint next_name = 1;
    for (int channels : {3, 4})
        for (auto [w, h] : {std::pair{1, 1}, std::pair{2, 1}, std::pair{1, 8}, std::pair{16, 16}, std::pair{64, 4}, std::pair{2, 32}}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " x" + std::to_string(channels));
            const GLenum format = channels == 3 ? GL_RGB : GL_RGBA;
            Bytes pixels(std::size_t(w * h * channels));
            for (auto& p : pixels) p = std::uint8_t(random());
            const Bytes png = make_png(w, h, channels, pixels);
            const GLuint name = mac_load_tex(png.data(), std::int32_t(png.size()));
            GLint bound = 0, mag = 0, min = 0;
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
            glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
            EXPECT_TRUE(name == next_name && GLuint(bound) == name);
            EXPECT_TRUE(mag == GL_LINEAR && min == GL_LINEAR_MIPMAP_LINEAR);
            EXPECT_EQ(level_parameter(0, GL_TEXTURE_INTERNAL_FORMAT), GLint(format));
            const auto loaded = levels(format);
            GLuint glu = 0;
            glGenTextures(1, &glu);
            glBindTexture(GL_TEXTURE_2D, glu);
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            ASSERT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, GLint(format), w, h, format, GL_UNSIGNED_BYTE, pixels.data()), 0);
            EXPECT_EQ(loaded, levels(format));
            next_name = glu + 1;
        }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TextureUpload, ScalesToNearestPowersOfTwoWithoutSkewAndRestoresAlignment) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    const Bytes rows = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0, 0, 255, 255, 255, 0, 255};  // 3 x 2
    const Bytes png = make_png(3, 2, 3, rows);
    ASSERT_NE(mac_load_tex(png.data(), std::int32_t(png.size())), 0u);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
    // Each new texel averages the old ones it covers: 1/3 and 2/3 in the middle.
    EXPECT_EQ(levels(GL_RGB)[0], (Bytes{255, 0, 0, 85, 170, 0, 0, 170, 85, 0, 0, 255,  //
                                        255, 255, 0, 85, 255, 170, 85, 170, 255, 255, 0, 255}));
    const int sides[][2] = {{1, 1}, {3, 4}, {5, 4}, {6, 8}, {7, 8}, {11, 8}, {12, 16}, {64, 64}};
    for (const auto& s : sides) EXPECT_EQ(nearest_power_of_two(s[0]), s[1]) << s[0];
    DecodedImage column{1, 5, 32, {}};
    for (int v : {0, 50, 100, 150, 200}) column.pixels.insert(column.pixels.end(), {std::uint8_t(v), 0, 0, 255});
    scale_image(&column, 1, 4);  // new row 1 covers the last 3/4 of old row 1 and half of old row 2
    EXPECT_EQ(column.pixels, (Bytes{10, 0, 0, 255, 70, 0, 0, 255, 130, 0, 0, 255, 190, 0, 0, 255}));
}

}  // namespace
