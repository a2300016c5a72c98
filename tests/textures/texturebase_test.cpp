// The computed-texture registry in a real context: sharing by name, deletion
// on the last release, refusals, and the pixels it uploads.
#include <GL/gl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "host/world_time.h"
#include "support/gl_test.h"
#include "support/log_capture.h"
#include "textures/fire.h"
#include "textures/plasma.h"
#include "textures/texturebase.h"

namespace {

class TexturebaseTest : public lunabrelle::test::GlTest {
protected:
    static std::vector<unsigned char> image_of(unsigned texture, int width, int height) {
        std::vector<unsigned char> image(std::size_t(width * height * 4));
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
        return image;
    }
    Texturebase base;
    lunabrelle::test::LogCapture log;
};

TEST_F(TexturebaseTest, SharesByWholeNameAndDeletesOnTheLastRelease) {
    const char* names[] = {"T#Fire16x16", "U#Fire16x16", "b#Plasma8x8,0,0,0"};
    const unsigned a = base.gen(names[0]);
    EXPECT_EQ(base.gen(names[0]), a);
    const unsigned other = base.gen(names[1]);  // differs in the first character only
    const unsigned third = base.gen(names[2]);
    EXPECT_NE(a, other);
    EXPECT_EQ(base.references, (std::vector<std::int32_t>{2, 1, 1}));
    base.ungen(names[0]);
    EXPECT_TRUE(is_texture(a));
    base.ungen(names[0]);
    base.ungen(names[0]);  // no longer registered: nothing happens
    EXPECT_FALSE(is_texture(a));
    EXPECT_EQ(base.names, (std::vector<std::string>{names[1], names[2]}));
    EXPECT_EQ(base.generators[1]->gltex(), third);
    EXPECT_EQ(base.references, (std::vector<std::int32_t>{1, 1}));
    base.ungen(names[1]);
    base.ungen(names[2]);
    EXPECT_FALSE(is_texture(other) || is_texture(third));
    EXPECT_TRUE(base.names.empty() && base.generators.empty() && base.references.empty());
}

TEST_F(TexturebaseTest, RefusesBadNamesAndSizesWithoutEnteringThem) {
    GLint gl_max = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &gl_max);
    const int max_size = std::min<int>(gl_max, kMaxGeneratedSide);
    ASSERT_GT(max_size, 1);
    for (const std::string& name : {std::string("T#Smoke8x8"), std::string("T#Fire1x1"), std::string(""),
                                    "T#Plasma" + std::to_string(max_size + 1) + "x1,1,2,3",
                                    "T#Fire1x" + std::to_string(max_size + 1)}) {
        log.clear();
        EXPECT_EQ(base.gen(name.c_str()), 0u) << name;
        ASSERT_EQ(log.lines().size(), 1u) << name;
        EXPECT_NE(log.lines()[0].find("\"" + name + "\""), std::string::npos) << log.lines()[0];
    }
    EXPECT_EQ(base.gen(nullptr), 0u);
    EXPECT_TRUE(base.names.empty());
    const std::string widest = "T#Fire" + std::to_string(max_size) + "x2";
    EXPECT_NE(base.gen(widest.c_str()), 0u);
    base.ungen(widest.c_str());
}

TEST_F(TexturebaseTest, RegenallUploadsWhatTheGeneratorsMakeAtTheWorldTime) {
    const unsigned plasma_tex = base.gen("T#Plasma64x32,10,20,300");
    const unsigned fire_tex = base.gen("T#Fire32x16");
    EXPECT_EQ(image_of(plasma_tex, 64, 32), std::vector<unsigned char>(64 * 32 * 4, 0));
    CURENT_TIME = 0xFFFFFC18u;  // -1000 as the signed time the generators take
    std::srand(77);
    base.regenall();
    base.regenall();

    std::vector<unsigned char> expected(64 * 32 * 4);
    unsigned char params[3] = {10, 20, 44};
    plasma(-1000, 64, 32, expected.data(), params);
    EXPECT_EQ(image_of(plasma_tex, 64, 32), expected);
    fire_param state(32, 16);
    std::vector<unsigned char> flames(32 * 16 * 4);
    std::srand(77);
    fire(0, 32, 16, flames.data(), &state);
    fire(0, 32, 16, flames.data(), &state);
    EXPECT_EQ(image_of(fire_tex, 32, 16), flames);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    base.ungen("T#Fire32x16");
    base.ungen("T#Plasma64x32,10,20,300");
}

}  // namespace
