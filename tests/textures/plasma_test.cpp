#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "textures/plasma.h"

namespace {

using Rgba = std::array<int, 4>;

std::vector<unsigned char> render(int time, int width, int height, std::array<unsigned char, 3> p) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4, 0xEE);
    plasma(time, width, height, pixels.data(), p.data());
    return pixels;
}

Rgba at(const std::vector<unsigned char>& pixels, int width, int x, int y) {
    const unsigned char* q = pixels.data() + 4 * (y * width + x);
    return {q[0], q[1], q[2], q[3]};
}

// The picture computed the plain way: six sines per pixel, summed in order.
Rgba reference(int time, int width, int height, std::array<unsigned char, 3> p, int x, int y) {
    const double t = time, sx = 6.28 / width, sy = 6.28 / height;
    const double s = std::sin(-0.00012 * t + sx * x) + std::sin(-0.00024 * t + 2 * sx * x) +
                     std::sin(-0.0048 * t + 4 * sx * x) + std::sin(-0.00012 * t + sy * y) +
                     std::sin(-0.00024 * t + 2 * sy * y) + std::sin(-0.0048 * t + 4 * sy * y);
    const int v = static_cast<int>(s * 21.0 + 128.0);
    const int d = (v - 120) & 255;
    Rgba c{(p[0] + d) & 255, (p[1] + d) & 255, (p[2] + d) & 255,
           static_cast<signed char>(v) > 120 && v != 127 ? 255 : 0};
    if (x % 16 == 0 || y % 16 == 0 || x == width - 1 || y == height - 1) {
        c[1] = 127;
        c[3] = 255;
    }
    return c;
}

TEST(Plasma, KnownPixelsOf64x64) {
    const auto t0 = render(0, 64, 64, {10, 20, 30});
    EXPECT_EQ(at(t0, 64, 0, 0), (Rgba{18, 127, 38, 255}));
    EXPECT_EQ(at(t0, 64, 5, 3), (Rgba{101, 111, 121, 0}));
    EXPECT_EQ(at(t0, 64, 30, 1), (Rgba{13, 23, 33, 255}));
    const auto t1 = render(1000, 64, 64, {10, 20, 30});
    EXPECT_EQ(at(t1, 64, 5, 3), (Rgba{54, 64, 74, 0}));
}

TEST(Plasma, GridLinesEvery16AndAlongTheLastRowAndColumn) {
    const auto pixels = render(777, 64, 64, {10, 20, 30});
    for (int line : {0, 16, 32, 48, 63}) {
        for (int i = 0; i < 64; ++i) {
            EXPECT_EQ(at(pixels, 64, line, i)[1], 127);
            EXPECT_EQ(at(pixels, 64, line, i)[3], 255);
            EXPECT_EQ(at(pixels, 64, i, line)[1], 127);
            EXPECT_EQ(at(pixels, 64, i, line)[3], 255);
        }
    }
}

TEST(Plasma, ParametersWrapModulo256) {
    const auto base = render(0, 64, 64, {10, 20, 30});
    const auto high = render(0, 64, 64, {250, 20, 30});
    bool found = false;
    for (int y = 1; y < 63 && !found; ++y) {
        for (int x = 1; x < 63 && !found; ++x) {
            if (at(base, 64, x, y)[0] == 20) {  // d = 10
                EXPECT_EQ(at(high, 64, x, y)[0], 4);
                found = true;
            }
        }
    }
    EXPECT_TRUE(found);
}

TEST(Plasma, MatchesSixSinesPerPixelForAnySizeAndTime) {
    // Sizes beyond one block of columns, odd sizes and times of either sign.
    const std::array<unsigned char, 3> p{200, 7, 99};
    for (int width : {1, 17, 300}) {
        for (int height : {1, 5, 64}) {
            for (int time : {0, 1000, -123456, 2147483647, -2147483647 - 1}) {
                const auto pixels = render(time, width, height, p);
                for (int y = 0; y < height; ++y) {
                    for (int x = 0; x < width; ++x) {
                        ASSERT_EQ(at(pixels, width, x, y), reference(time, width, height, p, x, y))
                            << width << "x" << height << " t=" << time << " at " << x << "," << y;
                    }
                }
            }
        }
    }
}

TEST(Plasma, EmptySizeWritesNothing) {
    std::array<unsigned char, 3> p{1, 2, 3};
    std::vector<unsigned char> pixels(16, 0xEE);
    plasma(0, 0, 4, pixels.data(), p.data());
    plasma(0, 4, 0, pixels.data(), p.data());
    EXPECT_EQ(pixels, std::vector<unsigned char>(16, 0xEE));
    delete_plasma_param(nullptr);
}

}  // namespace
