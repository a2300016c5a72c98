// The fire and plasma generators, run on their own: what their pictures must
// show, not the numbers of their formulas.
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
                for (int c = 0; c < 4; ++c) EXPECT_EQ(pixels[4 * (y * w) + c] | pixels[4 * (y * w + w - 1) + c], 0) << y;
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
    fire_param f(1, 2);  // sizes other than the state's touch nothing
    Pixels more(64, 0xEE);
    fire(0, 4, 4, more.data(), &f);
    EXPECT_EQ(more, Pixels(64, 0xEE));
}

TEST(Plasma, MovingContoursInTheBaseColourUnderAnOpaqueGrid) {
    constexpr int w = 300, h = 40;  // wider than one block of columns
    auto draw = [](int time, unsigned char p0) {
        unsigned char p[3] = {p0, 20, 30};
        Pixels pixels(w * h * 4, 0xEE);
        plasma(time, w, h, pixels.data(), p);
        return pixels;
    };
    const Pixels a = draw(0, 10), shifted = draw(0, 11);
    int opaque = 0, clear = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char* px = &a[4 * (y * w + x)];
            if (x % 16 == 0 || y % 16 == 0 || x == w - 1 || y == h - 1) {
                ASSERT_TRUE(px[1] == 127 && px[3] == 255) << x << "," << y;
                continue;
            }
            (px[3] == 255 ? opaque : clear) += 1;
            ASSERT_EQ(std::uint8_t(shifted[4 * (y * w + x)] - px[0]), 1) << x << "," << y;
            ASSERT_EQ(shifted[4 * (y * w + x) + 2], px[2]);
        }
    EXPECT_GT(opaque, 0);
    EXPECT_GT(clear, opaque);
    EXPECT_NE(draw(1000, 10), a);
}

}  // namespace
