// Computed textures: their names, the fire generator run on its own (what its
// pictures must show, not the numbers of its formula), and the registry in a
// real context (sharing by name, deletion on the last release, refusals).
#include <GL/gl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/gl_test.h"
#include "support/log_capture.h"
#include "textures/fire.h"
#include "textures/texture_name.h"
#include "textures/texturebase.h"

namespace {

TEST(TextureName, ReadsSizesAndParametersAndRefusesTheRest) {
    struct Case { const char* name; int max_size, width, height, p0, p1, p2; };  // width 0: refused
    const Case cases[] = {
        {"T#Plasma64x32,10,20,30", 16384, 64, 32, 10, 20, 30},
        // Formatted stream input: white space and a sign before an integer,
        // any separator, low 8 bits of a parameter, trailing text ignored.
        {"\n#Plasma8 \t 4;+5\x01-1x300 and more", 16384, 8, 4, 5, 255, 44},
        {"x?Fire0016x0008.png", 16384, 16, 8, 0, 0, 0},
        {"T#Plasma2x16384,0,0,0", 16384, 2, 16384, 0, 0, 0},
        {"T#Plasma16384x32767,0,0,0", 1 << 20, 16384, 32767, 0, 0, 0},  // 2^31 - 2^16 bytes
        {"T#Plasma16384x32768,0,0,0", 1 << 20, 0, 0, 0, 0, 0},  // 2^31 bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = parse_texture_name(c.name, c.max_size);
        ASSERT_EQ(parsed.has_value(), c.width != 0);
        if (!parsed) continue;
        EXPECT_EQ(parsed->kind, std::string(c.name).find("Fire") != std::string::npos ? TextureKind::fire : TextureKind::plasma);
        EXPECT_EQ((std::vector<int>{parsed->width, parsed->height, parsed->plasma[0], parsed->plasma[1], parsed->plasma[2]}),
                  (std::vector<int>{c.width, c.height, c.p0, c.p1, c.p2}));
    }
    // One of each reason; a fire halves its height as a divisor.
    for (const char* name : {"", "T#", "T#fire64x64", "T#Fire64xx64", "T#Fire99999999999x2", "T#Plasma64x64,1,2",
                             "T#Fire0x8", "T#Plasma2x16385,0,0,0", "T#Fire1x1"}) {
        std::string why;
        EXPECT_FALSE(parse_texture_name(name, 16384, &why)) << name;
        EXPECT_FALSE(why.empty()) << name;
    }
}

using Pixels = std::vector<unsigned char>;

TEST(Fire, EdgesStayColdWhileTheInsideBurns) {
    constexpr int w = 24, h = 16;
    fire_param f(w, h);
    Pixels pixels(w * h * 4);
    std::srand(42);
    for (int step = 0; step < 300; ++step) {
        fire(0, w, h, pixels.data(), &f);
        for (int y = 0; y < h; ++y)
            for (int c = 0; c < 4; ++c) EXPECT_EQ(pixels[4 * (y * w) + c] | pixels[4 * (y * w + w - 1) + c], 0) << y;
    }
    bool lit = false;
    for (int i = 3; i < w * h * 4; i += 4) lit = lit || pixels[i] != 0;
    EXPECT_TRUE(lit);
}

class TexturebaseTest : public lunabrelle::test::GlTest {
protected:
    Texturebase base;
    lunabrelle::test::LogCapture log;
};

TEST_F(TexturebaseTest, SharesByWholeNameDeletesOnTheLastReleaseAndRefusesWithTheName) {
    const char* names[] = {"T#Fire16x16", "U#Fire16x16", "b#Plasma8x8,0,0,0"};
    const unsigned a = base.gen(names[0]);
    EXPECT_EQ(base.gen(names[0]), a);
    const unsigned other = base.gen(names[1]);  // differs in the first character only
    const unsigned third = base.gen(names[2]);
    EXPECT_NE(a, other);
    base.ungen(names[0]);
    EXPECT_TRUE(is_texture(a));
    base.ungen(names[0]);
    base.ungen(names[0]);  // no longer registered: nothing happens
    EXPECT_FALSE(is_texture(a));
    EXPECT_EQ(base.names, (std::vector<std::string>{names[1], names[2]}));
    base.ungen(names[1]);
    base.ungen(names[2]);
    EXPECT_FALSE(is_texture(other) || is_texture(third));
    GLint gl_max = 0;  // the registry's limit is the context's, capped
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &gl_max);
    const std::string too_tall = "T#Fire1x" + std::to_string(std::min<int>(gl_max, kMaxGeneratedSide) + 1);
    EXPECT_EQ(base.gen(too_tall.c_str()), 0u);
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines()[0].find("\"" + too_tall + "\""), std::string::npos) << log.lines()[0];
    EXPECT_EQ(base.gen(nullptr), 0u);
    EXPECT_TRUE(base.names.empty() && base.generators.empty() && base.references.empty());
}

}  // namespace
