#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "textures/fire.h"

namespace {

using Rgba = std::array<int, 4>;

Rgba entry(const fire_param& f, int i) {
    return {f.palette[i][0], f.palette[i][1], f.palette[i][2], f.palette[i][3]};
}

Rgba pixel_at(const std::vector<unsigned char>& pixels, int width, int x, int y) {
    const unsigned char* p = pixels.data() + 4 * (y * width + x);
    return {p[0], p[1], p[2], p[3]};
}

TEST(FirePalette, RampEntriesTruncateTowardsZero) {
    const fire_param f(4, 4);
    EXPECT_EQ(entry(f, 0), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(entry(f, 1), (Rgba{3, 0, 0, 2}));
    EXPECT_EQ(entry(f, 32), (Rgba{127, 25, 18, 70}));
    EXPECT_EQ(entry(f, 63), (Rgba{251, 50, 35, 137}));
    EXPECT_EQ(entry(f, 64), (Rgba{255, 51, 36, 140}));
    EXPECT_EQ(entry(f, 195), (Rgba{102, 102, 186, 255}));
    EXPECT_EQ(entry(f, 254), (Rgba{252, 228, 53, 255}));
}

TEST(FireStep, SpreadsOneHotCellToItsEightKernelNeighboursAndCools) {
    // Sparks of the step land in rows >= 32 (and feed rows >= 30 only); a
    // cell placed higher up shows the kernel alone.
    constexpr int w = 32, h = 64, x0 = 10, r0 = 10;
    fire_param f(w, h);
    f.current[r0 * w + x0] = 200;  // 200 / 8 - 1 = 24 in each cell it feeds
    std::vector<unsigned char> pixels(w * h * 4);
    std::srand(3);
    fire(0, w, h, pixels.data(), &f);
    const Rgba hot = entry(f, 24);
    const Rgba cold = entry(f, 0);
    for (int r = 0; r < 30; ++r) {
        for (int x = 0; x < w; ++x) {
            const bool fed = (r == r0 && (x == x0 - 1 || x == x0 + 1)) ||
                             ((r == r0 - 1 || r == r0 - 2) && x >= x0 - 1 && x <= x0 + 1);
            EXPECT_EQ(pixel_at(pixels, w, x, r), fed ? hot : cold) << x << "," << r;
        }
    }
}

TEST(FireStep, FirstStepLeavesTheUpperRowsCold) {
    constexpr int w = 64, h = 64;
    fire_param f(w, h);
    std::vector<unsigned char> pixels(w * h * 4, 0xEE);
    std::srand(11);
    fire(0, w, h, pixels.data(), &f);
    // The spark inside the image is at row 32 or below and feeds rows >= 30.
    for (int i = 0; i < w * (h / 2 - 2) * 4; ++i) ASSERT_EQ(pixels[i], 0) << i;
}

TEST(FireStep, FirstAndLastColumnsAlwaysTransparentBlack) {
    constexpr int w = 24, h = 16;
    fire_param f(w, h);
    std::vector<unsigned char> pixels(w * h * 4);
    std::srand(17);
    for (int step = 0; step < 300; ++step) {
        fire(0, w, h, pixels.data(), &f);
        for (int y = 0; y < h; ++y) {
            ASSERT_EQ(pixel_at(pixels, w, 0, y), (Rgba{0, 0, 0, 0}));
            ASSERT_EQ(pixel_at(pixels, w, w - 1, y), (Rgba{0, 0, 0, 0}));
        }
    }
    // By now the fire burns somewhere inside.
    bool lit = false;
    for (int i = 3; i < w * h * 4; i += 4) lit = lit || pixels[i] != 0;
    EXPECT_TRUE(lit);
}

// Largest number of spark-row cells written in one step over many steps; the
// spark rows are cleared before each step so that every write shows (a spark
// whose value is 0 goes unseen, which only lowers the count).
int most_sparks_per_step(int width) {
    constexpr int h = 8;
    fire_param f(width, h);
    std::vector<unsigned char> pixels(width * h * 4);
    std::srand(23);
    int most = 0;
    for (int step = 0; step < 2000; ++step) {
        unsigned char* feed = f.current + h * width;
        std::memset(feed, 0, static_cast<std::size_t>(width) * 3);
        fire(0, width, h, pixels.data(), &f);
        int written = 0;
        for (int i = 0; i < width * 3; ++i) written += feed[i] != 0;
        if (written > most) most = written;
    }
    return most;
}

TEST(FireStep, SparksPerStepAreMaskedByWidthMinusOne) {
    const int most48 = most_sparks_per_step(48);  // rand() & 47
    EXPECT_LE(most48, 47);
    EXPECT_GE(most48, 35);
    const int most64 = most_sparks_per_step(64);  // rand() & 63
    EXPECT_LE(most64, 63);
    EXPECT_GT(most64, 47);
    EXPECT_EQ(most_sparks_per_step(1), 0);  // rand() & 0
}

TEST(FireStep, RowsBelowTheImageAreNeverWrittenBySpreading) {
    constexpr int w = 16, h = 8;
    fire_param f(w, h);
    std::vector<unsigned char> pixels(w * h * 4);
    std::srand(29);
    for (int step = 0; step < 50; ++step) {
        // The field that becomes current after the step only receives the
        // spread; its feed rows must come through unchanged.
        unsigned char* feed = f.next + h * w;
        for (int i = 0; i < 3 * w; ++i) feed[i] = static_cast<unsigned char>(i * 7 + step);
        unsigned char* const spread_into = f.next;
        fire(0, w, h, pixels.data(), &f);
        ASSERT_EQ(f.current, spread_into);  // swapped by pointer
        for (int i = 0; i < 3 * w; ++i) {
            ASSERT_EQ(f.current[h * w + i], static_cast<unsigned char>(i * 7 + step));
        }
    }
}

TEST(FireStep, SameSeedGivesSameSequence) {
    constexpr int w = 32, h = 32;
    auto run = [&](unsigned seed) {
        fire_param f(w, h);
        std::vector<unsigned char> pixels(w * h * 4);
        std::vector<unsigned char> all;
        std::srand(seed);
        for (int step = 0; step < 40; ++step) {
            fire(step, w, h, pixels.data(), &f);
            all.insert(all.end(), pixels.begin(), pixels.end());
        }
        return all;
    };
    const auto first = run(42);
    EXPECT_EQ(first, run(42));
    EXPECT_NE(first, run(43));
}

TEST(FireStep, SmallestAndMismatchedSizes) {
    fire_param f(1, 2);
    std::vector<unsigned char> pixels(1 * 2 * 4, 0xEE);
    std::srand(1);
    fire(0, 1, 2, pixels.data(), &f);
    EXPECT_EQ(pixels, std::vector<unsigned char>(8, 0));

    // Sizes that do not match the state touch nothing.
    std::vector<unsigned char> more(4 * 4 * 4, 0xEE);
    fire(0, 4, 4, more.data(), &f);
    EXPECT_EQ(more, std::vector<unsigned char>(64, 0xEE));
    delete_fire_param(nullptr);
}

}  // namespace
