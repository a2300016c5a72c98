#include <gtest/gtest.h>

#include <random>
#include <string>

#include "textures/texture_name.h"

namespace {

constexpr int kMax = 16384;

TEST(TextureName, ReadsFireAndPlasma) {
    auto fire = parse_texture_name("T#Fire128x64", kMax);
    ASSERT_TRUE(fire);
    EXPECT_EQ(fire->kind, TextureKind::fire);
    EXPECT_EQ(fire->width, 128);
    EXPECT_EQ(fire->height, 64);

    auto plasma = parse_texture_name("T#Plasma64x32,10,20,30", kMax);
    ASSERT_TRUE(plasma);
    EXPECT_EQ(plasma->kind, TextureKind::plasma);
    EXPECT_EQ(plasma->width, 64);
    EXPECT_EQ(plasma->height, 32);
    EXPECT_EQ(plasma->plasma[0], 10);
    EXPECT_EQ(plasma->plasma[1], 20);
    EXPECT_EQ(plasma->plasma[2], 30);
}

TEST(TextureName, ReadsAsFormattedStreamInput) {
    // Any first character and separators; white space and a sign before an
    // integer; trailing text ignored.
    auto a = parse_texture_name("\n#Plasma8 \t 4;+5\x01-1x300 and more", kMax);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->width, 8);
    EXPECT_EQ(a->height, 4);
    EXPECT_EQ(a->plasma[0], 5);
    EXPECT_EQ(a->plasma[1], 255);  // -1, low 8 bits
    EXPECT_EQ(a->plasma[2], 44);   // 300, low 8 bits

    auto b = parse_texture_name("x?Fire0016x0008.png", kMax);  // second char not read
    ASSERT_TRUE(b);
    EXPECT_EQ(b->width, 16);
    EXPECT_EQ(b->height, 8);
}

TEST(TextureName, RejectsWhatDescribesNoGenerator) {
    for (const char* name : {
             "", "T", "T#", "T#Fire", "T#Plasma",   // too short, no digits
             "T#Fire_64x64", "T#fire64x64", "T#Fire 64x64", "T#Smoke64x64",  // kind
             "T#64x64",                                                        // empty kind
             "T#Fire64", "T#Fire64x", "T#Fire64x ", "T#Fire64xx64", "T#Fire64x-",  // height
             "T#Plasma64x64", "T#Plasma64x64,1,2", "T#Plasma64x64,1,2,",  // parameters
             "T#Plasma64x64,1,2,99999999999",                            // parameter overflow
             "T#Fire99999999999x2",                                      // width overflow
         }) {
        std::string why;
        EXPECT_FALSE(parse_texture_name(name, kMax, &why)) << name;
        EXPECT_FALSE(why.empty()) << name;
    }
}

TEST(TextureName, SizeLimits) {
    EXPECT_TRUE(parse_texture_name("T#Fire1x2", kMax));
    EXPECT_FALSE(parse_texture_name("T#Fire1x1", kMax));  // height is halved as a divisor
    EXPECT_FALSE(parse_texture_name("T#Fire0x8", kMax));
    EXPECT_TRUE(parse_texture_name("T#Plasma1x1,0,0,0", kMax));
    EXPECT_FALSE(parse_texture_name("T#Plasma1x0,0,0,0", kMax));
    EXPECT_FALSE(parse_texture_name("T#Plasma1x-4,0,0,0", kMax));

    EXPECT_TRUE(parse_texture_name("T#Fire16384x2", kMax));
    EXPECT_FALSE(parse_texture_name("T#Fire16385x2", kMax));
    EXPECT_FALSE(parse_texture_name("T#Plasma2x16385,0,0,0", kMax));
    EXPECT_FALSE(parse_texture_name("T#Fire8x8", 0));  // no GL context: nothing fits

    // Within a large maximum, width * height * 4 must still fit a 32-bit int.
    EXPECT_TRUE(parse_texture_name("T#Plasma16384x32767,0,0,0", 1 << 20));  // 2^31 - 2^16
    EXPECT_FALSE(parse_texture_name("T#Plasma16384x32768,0,0,0", 1 << 20));  // 2^31
    EXPECT_FALSE(parse_texture_name("T#Fire65536x65536", 1 << 20));
}

TEST(TextureName, RandomNamesNeverBreakTheInvariants) {
    // Names built from the characters that matter, plus any byte.
    const std::string alphabet = "T#FirePlasma0123456789x, -+\t";
    std::mt19937 rng(1234);
    for (int n = 0; n < 50000; ++n) {
        std::string name = n % 2 ? "T#Fire" : "T#Plasma";
        const int length = static_cast<int>(rng() % 24);
        for (int i = 0; i < length; ++i) {
            name.push_back(rng() % 8 ? alphabet[rng() % alphabet.size()]
                                     : static_cast<char>(rng() % 256));
        }
        if (rng() % 4 == 0) name.erase(0, rng() % (name.size() + 1));
        const auto parsed = parse_texture_name(name, 4096);
        if (!parsed) continue;
        ASSERT_GE(parsed->width, 1) << name;
        ASSERT_LE(parsed->width, 4096) << name;
        ASSERT_GE(parsed->height, parsed->kind == TextureKind::fire ? 2 : 1) << name;
        ASSERT_LE(parsed->height, 4096) << name;
    }
}

}  // namespace
