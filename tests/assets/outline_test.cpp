// Outlines read from painted shapes: the polygons the flower bed's opaque
// heads and leaves are cut to.
#include <gtest/gtest.h>

#include <cmath>

#include "kit/outline.h"
#include "kit/paint.h"

namespace {

using kit::Vec2;

TEST(Outline, FollowsTheShapeAcrossSmallGapsButNotLargeOnes) {
    // A ring (a clear middle, as some flower centres have) with a speck 5
    // pixels beyond its right edge, in the right half of a wider image.
    kit::Image image(128, 64);
    const Vec2 c{96, 32};
    kit::paint_disc(image, c, 20.0, 0.5, kit::hex(0xffffff));
    for (int y = 27; y < 37; ++y)
        for (int x = 91; x < 101; ++x)
            if (std::hypot(x + 0.5 - c.x, y + 0.5 - c.y) < 4.0) image.put(x, y, kit::Rgba{});
    kit::paint_disc(image, {c.x + 27.0, c.y}, 2.0, 0.5, kit::hex(0xffffff));
    const kit::PixelBox box{64, 0, 64, 64};
    const auto outline = kit::radial_outline(image, box, c, 36, 3.0);
    ASSERT_EQ(outline.size(), 36u);
    for (const Vec2& p : outline) EXPECT_NEAR(kit::length(p - c), 19.5, 1.0);
    EXPECT_LT(outline[9].y, c.y);  // a quarter turn on: above the middle on screen

    const auto wide = kit::radial_outline(image, box, c, 36, 8.0);
    EXPECT_NEAR(kit::length(wide[0] - c), 28.5, 1.0);  // the speck joins across the gap

    const auto few = kit::simplify_outline(outline, 8);
    ASSERT_EQ(few.size(), 8u);
    double turned = 0.0;  // in order round the middle: one full turn
    for (std::size_t i = 0; i < few.size(); ++i) {
        const Vec2 a = few[i] - c, b = few[(i + 1) % few.size()] - c;
        turned += std::atan2(a.x * b.y - a.y * b.x, a.x * b.x + a.y * b.y);
    }
    EXPECT_NEAR(std::fabs(turned), 2.0 * std::acos(-1.0), 1e-9);

    // The card shows the box upright: its bottom-left pixel corner at the
    // card's corner, textured from the same place in the image.
    const Vec2 square[] = {{64, 64}, {128, 64}, {128, 0}, {64, 0}};
    const kit::Mesh card = kit::outline_card({0, 0, 0}, {2, 0, 0}, {0, 1, 0}, box, 128, 64, square, c);
    ASSERT_EQ(card.triangles.size(), 4u);
    const kit::Vertex& corner = card.triangles[0].v[1];
    EXPECT_DOUBLE_EQ(corner.position.x, 0.0);
    EXPECT_DOUBLE_EQ(corner.position.y, 0.0);
    EXPECT_DOUBLE_EQ(corner.texcoord.x, 0.5);
    EXPECT_DOUBLE_EQ(corner.texcoord.y, 1.0);
    EXPECT_DOUBLE_EQ(card.triangles[0].v[0].position.x, 1.0);  // the middle
    EXPECT_GT(card.triangles[0].v[0].normal.z, 0.99);
}

}  // namespace
