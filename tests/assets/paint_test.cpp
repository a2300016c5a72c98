#include "kit/paint.h"

#include <gtest/gtest.h>

#include "kit/noise.h"
#include "kit/rng.h"

namespace {

using namespace kit;

void expect_color(Rgba c, float r, float g, float b, float a, float tolerance = 1.0f / 255.0f) {
    EXPECT_NEAR(c.r, r, tolerance);
    EXPECT_NEAR(c.g, g, tolerance);
    EXPECT_NEAR(c.b, b, tolerance);
    EXPECT_NEAR(c.a, a, tolerance);
}

TEST(Compositing, OverUsesStraightAlpha) {
    const Rgba blue{0, 0, 1, 1};
    expect_color(over({1, 0, 0, 1}, blue), 1, 0, 0, 1);
    expect_color(over({1, 0, 0, 0}, blue), 0, 0, 1, 1);
    expect_color(over({1, 0, 0, 0.5f}, blue), 0.5f, 0, 0.5f, 1);
    // Half red over nothing stays full red at half alpha: no darkening.
    expect_color(over({1, 0, 0, 0.5f}, {}), 1, 0, 0, 0.5f);
    // Two half layers cover three quarters.
    expect_color(over({0, 1, 0, 0.5f}, {1, 0, 0, 0.5f}), 1.0f / 3, 2.0f / 3, 0, 0.75f);
}

TEST(Compositing, ImageClampsAndIgnoresOutsidePixels) {
    Image image(2, 2, {0.2f, 0.4f, 0.6f, 1.0f});
    image.put(0, 0, {2.0f, -1.0f, 0.5f, 1.0f});
    expect_color(image.at(0, 0), 1, 0, 0.5f, 1);
    image.put(5, 5, {1, 1, 1, 1});
    image.blend(-1, 0, {1, 1, 1, 1});
    expect_color(image.at(5, 5), 0, 0, 0, 0);
    expect_color(image.at(1, 1), 0.2f, 0.4f, 0.6f, 1);
    image.blend(1, 1, {1, 1, 1, 0.5f});
    expect_color(image.at(1, 1), 0.6f, 0.7f, 0.8f, 1);
}

TEST(Painter, SoftDiscIsOpaqueInsideAndClearOutside) {
    Image image(32, 32);
    paint_disc(image, {16, 16}, 8, 2, {1, 1, 0, 1});
    expect_color(image.at(16, 16), 1, 1, 0, 1);
    EXPECT_EQ(image.at(16, 2).a, 0.0f);
    EXPECT_EQ(image.at(0, 0).a, 0.0f);
    const float edge = image.at(16 + 7, 16).a;  // pixel centre 7.5 from the middle
    EXPECT_GT(edge, 0.3f);
    EXPECT_LT(edge, 1.0f);
}

TEST(Painter, EllipseFollowsItsAngle) {
    Image image(40, 40);
    paint_ellipse(image, {20, 20}, {15, 3}, 90.0, 1.0, {1, 0, 0, 1});
    EXPECT_GT(image.at(20, 32).a, 0.9f);  // long axis turned to vertical
    EXPECT_EQ(image.at(32, 20).a, 0.0f);
}

TEST(Painter, StrokeJointsDoNotDoubleUp) {
    Image image(40, 40);
    const std::vector<Vec2> path{{5, 20}, {20, 20}, {20, 35}, {5, 20}};
    paint_stroke(image, path, 6, 6, 1, {0, 0, 1, 0.5f});
    EXPECT_NEAR(image.at(19, 20).a, 0.5f, 1.0f / 255);  // where segments meet
    EXPECT_NEAR(image.at(10, 20).a, 0.5f, 1.0f / 255);
    EXPECT_EQ(image.at(35, 5).a, 0.0f);
}

TEST(Painter, TaperedStrokeNarrowsAlongItsPath) {
    Image image(60, 20);
    const std::vector<Vec2> path{{5, 10}, {55, 10}};
    paint_stroke(image, path, 12, 2, 0.5, {1, 1, 1, 1});
    EXPECT_GT(image.at(8, 14).a, 0.9f);
    EXPECT_EQ(image.at(52, 15).a, 0.0f);
}

TEST(Painter, PolygonMaskCoversItsArea) {
    const std::vector<Vec2> triangle{{2.3, 1.7}, {27.9, 4.2}, {9.1, 25.6}};
    const Mask mask = polygon_mask(32, 32, triangle, 8);
    double sum = 0.0;
    for (float v : mask.values) {
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
        sum += v;
    }
    const double area = 0.5 * std::abs((27.9 - 2.3) * (25.6 - 1.7) - (9.1 - 2.3) * (4.2 - 1.7));
    EXPECT_NEAR(sum, area, area * 0.01);
    EXPECT_FLOAT_EQ(mask.at(12, 10), 1.0f);
    EXPECT_FLOAT_EQ(mask.at(30, 30), 0.0f);
}

TEST(Painter, MaskedPaintScalesAlpha) {
    Image image(4, 1);
    Mask mask(4, 1);
    mask.values = {0.0f, 0.5f, 1.0f, 1.0f};
    paint_masked(image, mask, [](double x, double) { return Rgba{1, 0, 0, x < 3 ? 1.0f : 0.5f}; });
    EXPECT_EQ(image.at(0, 0).a, 0.0f);
    EXPECT_NEAR(image.at(1, 0).a, 0.5f, 1.0f / 255);
    EXPECT_NEAR(image.at(2, 0).a, 1.0f, 1.0f / 255);
    EXPECT_NEAR(image.at(3, 0).a, 0.5f, 1.0f / 255);
}

TEST(Painter, GradientClampsAndInterpolates) {
    const std::vector<GradientStop> stops{{0.2, {1, 0, 0, 1}}, {0.6, {0, 0, 1, 1}}};
    expect_color(gradient(stops, 0.0), 1, 0, 0, 1);
    expect_color(gradient(stops, 0.4), 0.5f, 0, 0.5f, 1);
    expect_color(gradient(stops, 1.0), 0, 0, 1, 1);
}

TEST(Painter, BleedingColoursTransparentNeighboursOnly) {
    Image image(5, 1);
    image.put(0, 0, {1, 0, 0, 1});
    bleed_edges(image, 2);
    expect_color(image.at(1, 0), 1, 0, 0, 0);
    expect_color(image.at(2, 0), 1, 0, 0, 0);
    expect_color(image.at(3, 0), 0, 0, 0, 0);  // beyond two passes
    expect_color(image.at(0, 0), 1, 0, 0, 1);
}

TEST(Painter, ClosedSplinePassesThroughItsControls) {
    const std::vector<Vec2> controls{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const std::vector<Vec2> points = closed_spline(controls, 5);
    ASSERT_EQ(points.size(), 20u);
    EXPECT_NEAR(points[5].x, 10.0, 1e-12);
    EXPECT_NEAR(points[10].y, 10.0, 1e-12);
}

TEST(Painter, DistanceInsideGrowsTowardsTheMiddle) {
    Mask mask(21, 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) mask.values[y * 21 + x] = (x >= 5 && x <= 15 && y >= 5 && y <= 15) ? 1.0f : 0.0f;
    const std::vector<float> d = distance_inside(mask);
    EXPECT_EQ(d[0], 0.0f);
    EXPECT_FLOAT_EQ(d[10 * 21 + 5], 1.0f);   // on the square's edge: one step from outside
    EXPECT_FLOAT_EQ(d[10 * 21 + 10], 6.0f);  // the middle
    EXPECT_LT(d[10 * 21 + 7], d[10 * 21 + 9]);
}

TEST(Painter, ClipAndDrawCompositeLayers) {
    Image layer(2, 1, {1, 0, 0, 1});
    Mask mask(2, 1);
    mask.values = {1.0f, 0.5f};
    clip_to_mask(layer, mask);
    EXPECT_NEAR(layer.at(1, 0).a, 0.5f, 1.0f / 255);
    Image base(3, 1, {0, 0, 1, 1});
    draw_image(base, layer, 1, 0);
    expect_color(base.at(0, 0), 0, 0, 1, 1);
    expect_color(base.at(1, 0), 1, 0, 0, 1);
    expect_color(base.at(2, 0), 0.5f, 0, 0.5f, 1, 2.0f / 255);
}

TEST(Noise, StaysInRangeAndWrapsItsPeriod) {
    const ValueNoise n{7, 4, 3};
    for (int i = 0; i < 200; ++i) {
        const double x = i * 0.37 - 20.0, y = i * 0.53 - 30.0;
        const double v = value_noise(n, x, y);
        EXPECT_GE(v, 0.0);
        EXPECT_LE(v, 1.0);
        EXPECT_DOUBLE_EQ(v, value_noise(n, x + 4.0, y + 3.0));
        EXPECT_NEAR(fbm(n, x, y, 5), fbm(n, x + 4.0, y - 3.0, 5), 1e-9);
    }
    EXPECT_NE(value_noise({7}, 0.5, 0.5), value_noise({8}, 0.5, 0.5));
}

TEST(Random, SameSeedSameSequence) {
    Rng a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const std::uint64_t va = a.next();
        EXPECT_EQ(va, b.next());
        differs |= va != c.next();
        const int k = a.below(7);
        b.below(7);
        EXPECT_GE(k, 0);
        EXPECT_LT(k, 7);
        const double u = a.uniform();
        b.uniform();
        EXPECT_GE(u, 0.0);
        EXPECT_LT(u, 1.0);
    }
    EXPECT_TRUE(differs);
}

}  // namespace
