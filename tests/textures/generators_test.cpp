// The fire and plasma generators, run on their own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "textures/fire.h"
#include "textures/plasma.h"

namespace {

using Pixels = std::vector<unsigned char>;

TEST(Fire, EdgesStayColdWhileTheInsideBurnsAndOneSeedGivesOneSequence) {
    constexpr int w = 24, h = 16;
    auto run = [&](unsigned seed) -> Pixels {
        fire_param f(w, h);
        Pixels pixels(w * h * 4), all;
        std::srand(seed);
        for (int step = 0; step < 300; ++step) {
            fire(0, w, h, pixels.data(), &f);
            for (int y = 0; y < h; ++y)
                for (int x : {0, w - 1})
                    for (int c = 0; c < 4; ++c) EXPECT_EQ(pixels[4 * (y * w + x) + c], 0) << x << "," << y;
            all.insert(all.end(), pixels.begin(), pixels.end());
        }
        bool lit = false;
        for (int i = 3; i < w * h * 4; i += 4) lit = lit || pixels[i] != 0;
        EXPECT_TRUE(lit);
        return all;
    };
    const Pixels first = run(42);
    EXPECT_EQ(first, run(42));
    EXPECT_NE(first, run(43));
}

TEST(Fire, SizesOtherThanTheStatesTouchNothing) {
    fire_param f(1, 2);
    Pixels pixels(8, 0xEE);
    fire(0, 1, 2, pixels.data(), &f);
    EXPECT_EQ(pixels, Pixels(8, 0));
    Pixels more(64, 0xEE);
    fire(0, 4, 4, more.data(), &f);
    EXPECT_EQ(more, Pixels(64, 0xEE));
    delete_fire_param(nullptr);
}

TEST(Plasma, KnownPixelsGridLinesAndEmptySizes) {
    unsigned char p[3] = {10, 20, 30};
    Pixels pixels(64 * 64 * 4, 0xEE);
    auto at = [&](int x, int y) {
        const unsigned char* q = &pixels[4 * (y * 64 + x)];
        return std::vector<int>{q[0], q[1], q[2], q[3]};
    };
    plasma(0, 64, 64, pixels.data(), p);
    EXPECT_EQ(at(0, 0), (std::vector<int>{18, 127, 38, 255}));
    EXPECT_EQ(at(5, 3), (std::vector<int>{101, 111, 121, 0}));
    EXPECT_EQ(at(30, 1), (std::vector<int>{13, 23, 33, 255}));
    plasma(1000, 64, 64, pixels.data(), p);
    EXPECT_EQ(at(5, 3), (std::vector<int>{54, 64, 74, 0}));
    for (int line : {0, 16, 32, 48, 63})
        for (int i = 0; i < 64; ++i)
            for (const auto& px : {at(line, i), at(i, line)}) {
                EXPECT_EQ(px[1], 127);
                EXPECT_EQ(px[3], 255);
            }
    Pixels wide(300 * 5 * 4);  // past the first block of columns
    plasma(0, 300, 5, wide.data(), p);
    EXPECT_EQ((std::vector<int>{wide[4 * (3 * 300 + 281)], wide[4 * (3 * 300 + 281) + 2]}), (std::vector<int>{249, 13}));
    Pixels untouched(16, 0xEE);
    plasma(0, 0, 4, untouched.data(), p);
    plasma(0, 4, 0, untouched.data(), p);
    EXPECT_EQ(untouched, Pixels(16, 0xEE));
    delete_plasma_param(nullptr);
}

}  // namespace
