#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/world_time.h"
#include "platform/system/system.h"
#include "support/gl_test.h"
#include "textures/fire.h"
#include "textures/plasma.h"
#include "textures/texturebase.h"

namespace {

using lunabrelle::test::GlTest;

std::vector<std::string> logged;
void capture(const std::string& line) { logged.push_back(line); }

class TexturebaseTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        logged.clear();
        platform::install_log_sink(capture);
    }
    void TearDown() override { platform::install_log_sink(nullptr); }

    static std::vector<unsigned char> texture_image(unsigned texture, int width, int height) {
        std::vector<unsigned char> image(static_cast<std::size_t>(width) * height * 4);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
        return image;
    }

    static GLint level_parameter(unsigned texture, GLenum name) {
        GLint value = 0;
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
        return value;
    }

    Texturebase base;
};

TEST_F(TexturebaseTest, CreatesTheTextureWithoutGenerating) {
    const unsigned tex = base.gen("T#Plasma32x16,1,2,3");
    ASSERT_NE(tex, 0u);
    EXPECT_TRUE(is_texture(tex));
    EXPECT_EQ(level_parameter(tex, GL_TEXTURE_WIDTH), 32);
    EXPECT_EQ(level_parameter(tex, GL_TEXTURE_HEIGHT), 16);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    // The generator has not run: the image is the zeroed buffer.
    EXPECT_EQ(texture_image(tex, 32, 16), std::vector<unsigned char>(32 * 16 * 4, 0));
    ASSERT_EQ(base.generators.size(), 1u);
    EXPECT_EQ(base.generators[0]->size, 32 * 16 * 4);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    base.ungen("T#Plasma32x16,1,2,3");
}

TEST_F(TexturebaseTest, SharesByWholeNameAndDeletesOnLastRelease) {
    const unsigned a = base.gen("T#Fire16x16");
    const unsigned b = base.gen("T#Fire16x16");
    const unsigned other = base.gen("U#Fire16x16");  // differs in the first character only
    EXPECT_EQ(a, b);
    EXPECT_NE(a, other);
    ASSERT_EQ(base.names.size(), 2u);
    EXPECT_EQ(base.references, (std::vector<std::int32_t>{2, 1}));

    base.ungen("T#Fire16x16");
    EXPECT_TRUE(is_texture(a));
    EXPECT_EQ(base.references, (std::vector<std::int32_t>{1, 1}));
    base.ungen("T#Fire16x16");
    EXPECT_FALSE(is_texture(a));
    EXPECT_TRUE(is_texture(other));
    EXPECT_EQ(base.names, (std::vector<std::string>{"U#Fire16x16"}));

    base.ungen("T#Fire16x16");  // no longer registered: nothing happens
    EXPECT_EQ(base.references, (std::vector<std::int32_t>{1}));

    // Asked again, the name is made anew with one reference.
    const unsigned again = base.gen("T#Fire16x16");
    EXPECT_TRUE(is_texture(again));
    EXPECT_EQ(base.names, (std::vector<std::string>{"U#Fire16x16", "T#Fire16x16"}));
    EXPECT_EQ(base.references, (std::vector<std::int32_t>{1, 1}));
    base.ungen("U#Fire16x16");
    base.ungen("T#Fire16x16");
    EXPECT_FALSE(is_texture(other));
    EXPECT_FALSE(is_texture(again));
    EXPECT_TRUE(base.names.empty() && base.generators.empty() && base.references.empty());
}

TEST_F(TexturebaseTest, ReleasingOutOfOrderKeepsTheOthersInOrder) {
    const char* names[] = {"a#Fire8x8", "b#Plasma8x8,0,0,0", "c#Fire4x4", "d#Plasma4x4,1,1,1"};
    std::vector<unsigned> textures;
    for (const char* name : names) textures.push_back(base.gen(name));
    base.ungen(names[2]);
    base.ungen(names[0]);
    EXPECT_EQ(base.names, (std::vector<std::string>{names[1], names[3]}));
    EXPECT_EQ(base.generators[0]->gltex(), textures[1]);
    EXPECT_EQ(base.generators[1]->gltex(), textures[3]);
    EXPECT_FALSE(is_texture(textures[0]));
    EXPECT_FALSE(is_texture(textures[2]));
    EXPECT_TRUE(is_texture(textures[1]));
    EXPECT_TRUE(is_texture(textures[3]));
    base.ungen(names[3]);
    base.ungen(names[1]);
    EXPECT_TRUE(base.names.empty());
}

TEST_F(TexturebaseTest, RejectsBadNamesWithoutEnteringThem) {
    GLint gl_max_size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &gl_max_size);
    ASSERT_GT(gl_max_size, 0);
    const int max_size = std::min<int>(gl_max_size, kMaxGeneratedSide);
    const unsigned kept = base.gen("T#Fire8x8");
    const std::vector<std::string> bad = {
        "T#Smoke8x8",
        "T#Fire_8x8",
        "T#Fire",
        "T#Fire8",
        "T#Fire8x",
        "T#Fire1x1",
        "T#Fire0x8",
        "T#Plasma8x0,1,2,3",
        "T#Plasma" + std::to_string(max_size + 1) + "x1,1,2,3",
        "T#Fire1x" + std::to_string(max_size + 1),
        "T#Fire16384x16384",
        "",
    };
    for (const std::string& name : bad) {
        logged.clear();
        EXPECT_EQ(base.gen(name.c_str()), 0u) << name;
        ASSERT_EQ(logged.size(), 1u) << name;
        EXPECT_NE(logged[0].find("\"" + name + "\""), std::string::npos) << logged[0];
        base.ungen(name.c_str());
    }
    EXPECT_EQ(base.gen(nullptr), 0u);
    base.ungen(nullptr);
    EXPECT_EQ(base.names, (std::vector<std::string>{"T#Fire8x8"}));
    EXPECT_EQ(base.references, (std::vector<std::int32_t>{1}));
    EXPECT_TRUE(is_texture(kept));

    // The largest size taken is accepted.
    const std::string widest = "T#Plasma" + std::to_string(max_size) + "x1,1,2,3";
    logged.clear();
    EXPECT_NE(base.gen(widest.c_str()), 0u);
    EXPECT_TRUE(logged.empty());
    base.ungen(widest.c_str());
    base.ungen("T#Fire8x8");
    EXPECT_FALSE(is_texture(kept));
}

TEST_F(TexturebaseTest, RegenUploadsTheGeneratedPixels) {
    const unsigned plasma_tex = base.gen("T#Plasma64x32,10,20,300");
    const unsigned fire_tex = base.gen("T#Fire32x16");
    CURENT_TIME = 1234;
    std::srand(77);
    base.regenall();
    base.regenall();

    std::vector<unsigned char> expected(64 * 32 * 4);
    unsigned char params[3] = {10, 20, 44};
    plasma(1234, 64, 32, expected.data(), params);
    EXPECT_EQ(texture_image(plasma_tex, 64, 32), expected);

    // The fire took two steps from the same seed.
    fire_param state(32, 16);
    std::vector<unsigned char> flames(32 * 16 * 4);
    std::srand(77);
    fire(0, 32, 16, flames.data(), &state);
    fire(0, 32, 16, flames.data(), &state);
    EXPECT_EQ(texture_image(fire_tex, 32, 16), flames);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    base.ungen("T#Fire32x16");
    base.ungen("T#Plasma64x32,10,20,300");
}

// A generator that records the times it is called with.
void record_time(int time, int, int, unsigned char*, void* param) {
    static_cast<std::vector<int>*>(param)->push_back(time);
}
void delete_record(void* param) { delete static_cast<std::vector<int>*>(param); }

TEST_F(TexturebaseTest, RegenallPassesTheWorldTimeSignedInInsertionOrder) {
    auto* first = new std::vector<int>;
    auto* second = new std::vector<int>;
    base.generators = {new Texturegen(record_time, delete_record, first, 1, 1),
                       new Texturegen(record_time, delete_record, second, 1, 1)};
    base.names = {"first", "second"};
    base.references = {1, 1};

    CURENT_TIME = 0x7FFFFFFFu;
    base.regenall();
    CURENT_TIME = 0x80000000u;
    base.regenall();
    CURENT_TIME = 0xFFFFFC18u;
    base.regenall();
    const std::vector<int> expected = {2147483647, -2147483647 - 1, -1000};
    EXPECT_EQ(*first, expected);
    EXPECT_EQ(*second, expected);
    base.ungen("first");
    base.ungen("second");
}

TEST_F(TexturebaseTest, RegenallOnAnEmptyRegistryDoesNothing) {
    CURENT_TIME = 5;
    base.regenall();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
