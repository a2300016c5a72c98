#include "textures/texture_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct NameCase {
    const char* name;
    int max_size;
    int width = 0, height = 0;  // 0, 0: refused
    int p0 = 0, p1 = 0, p2 = 0;
};

TEST(TextureName, ReadsSizesAndParametersAndRefusesTheRest) {
    const NameCase cases[] = {
        {"T#Fire128x64", 16384, 128, 64},
        {"T#Plasma64x32,10,20,30", 16384, 64, 32, 10, 20, 30},
        // Formatted stream input: white space and a sign before an integer,
        // any separator, low 8 bits of a parameter, trailing text ignored.
        {"\n#Plasma8 \t 4;+5\x01-1x300 and more", 16384, 8, 4, 5, 255, 44},
        {"x?Fire0016x0008.png", 16384, 16, 8},
        {"T#Fire1x2", 16384, 1, 2},
        {"T#Plasma1x1,0,0,0", 16384, 1, 1},
        {"T#Fire16384x2", 16384, 16384, 2},
        {"T#Plasma2x16384,0,0,0", 16384, 2, 16384},
        {"T#Plasma16384x32767,0,0,0", 1 << 20, 16384, 32767},  // 2^31 - 2^16 bytes
        {"T#Fire16385x2", 16384},
        {"T#Plasma2x16385,0,0,0", 16384},
        {"T#Plasma16384x32768,0,0,0", 1 << 20},  // 2^31 bytes
        {"T#Fire65536x65536", 1 << 20},
        {"T#Fire8x8", 0},      // no GL context: nothing fits
        {"T#Fire1x1", 16384},  // the fire halves its height as a divisor
        {"T#Fire0x8", 16384},
        {"T#Plasma1x0,0,0,0", 16384},
        {"T#Plasma1x-4,0,0,0", 16384},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = parse_texture_name(c.name, c.max_size);
        ASSERT_EQ(parsed.has_value(), c.width != 0);
        if (!parsed) continue;
        EXPECT_EQ(parsed->width, c.width);
        EXPECT_EQ(parsed->height, c.height);
        EXPECT_EQ(parsed->kind, std::string(c.name).find("Fire") != std::string::npos ? TextureKind::fire
                                                                                      : TextureKind::plasma);
        EXPECT_EQ((std::vector<int>{parsed->plasma[0], parsed->plasma[1], parsed->plasma[2]}),
                  (std::vector<int>{c.p0, c.p1, c.p2}));
    }
    for (const char* name : {"", "T", "T#", "T#Fire", "T#Plasma", "T#Fire_64x64", "T#fire64x64",
                             "T#Fire 64x64", "T#Smoke64x64", "T#64x64", "T#Fire64", "T#Fire64x",
                             "T#Fire64x ", "T#Fire64xx64", "T#Fire64x-", "T#Plasma64x64",
                             "T#Plasma64x64,1,2", "T#Plasma64x64,1,2,", "T#Plasma64x64,1,2,99999999999",
                             "T#Fire99999999999x2"}) {
        std::string why;
        EXPECT_FALSE(parse_texture_name(name, 16384, &why)) << name;
        EXPECT_FALSE(why.empty()) << name;
    }
}

}  // namespace
