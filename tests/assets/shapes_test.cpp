#include "kit/shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "kit/transform.h"

namespace {

using namespace kit;

// Signed volume enclosed by a closed mesh (divergence theorem): positive when
// the triangles wind counter-clockwise seen from outside.
double volume(const Mesh& m) {
    double v = 0.0;
    for (const Triangle& t : m.triangles)
        v += dot(t.v[0].position, cross(t.v[1].position, t.v[2].position)) / 6.0;
    return v;
}

// Every triangle's winding agrees with its vertex normals.
bool winding_matches_normals(const Mesh& m) {
    for (const Triangle& t : m.triangles) {
        const Vec3 face = cross(t.v[1].position - t.v[0].position, t.v[2].position - t.v[0].position);
        if (length(face) < 1e-12) continue;
        const Vec3 n = t.v[0].normal + t.v[1].normal + t.v[2].normal;
        if (dot(face, n) <= 0.0) return false;
    }
    return true;
}

TEST(Shapes, QuadCornersTakeTheirTexcoords) {
    const Mesh m = quad({0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {0.25, 0.5, 0.75, 1.0});
    ASSERT_EQ(m.triangles.size(), 2u);
    EXPECT_TRUE(winding_matches_normals(m));
    const Vertex& first = m.triangles[0].v[0];
    EXPECT_DOUBLE_EQ(first.normal.z, 1.0);
    EXPECT_DOUBLE_EQ(first.texcoord.x, 0.25);  // corner: left, bottom of the image
    EXPECT_DOUBLE_EQ(first.texcoord.y, 1.0);
    const Vertex& top_right = m.triangles[0].v[2];
    EXPECT_DOUBLE_EQ(top_right.position.x, 2.0);
    EXPECT_DOUBLE_EQ(top_right.position.y, 3.0);
    EXPECT_DOUBLE_EQ(top_right.texcoord.x, 0.75);
    EXPECT_DOUBLE_EQ(top_right.texcoord.y, 0.5);
}

TEST(Shapes, DiscMapsTheImageUpright) {
    const Mesh m = disc(2.0, 12);
    ASSERT_EQ(m.triangles.size(), 12u);
    EXPECT_TRUE(winding_matches_normals(m));
    for (const Triangle& t : m.triangles)
        for (const Vertex& v : t.v) {
            EXPECT_LE(length(v.position), 2.0 + 1e-9);
            EXPECT_NEAR(v.texcoord.x, 0.5 + v.position.x / 4.0, 1e-12);
            EXPECT_NEAR(v.texcoord.y, 0.5 - v.position.y / 4.0, 1e-12);  // +y is the image's top
        }
}

TEST(Shapes, LatheEnclosesItsSolidWithOutwardNormals) {
    // A closed capsule-like profile: pole, waist, pole.
    std::vector<ProfilePoint> profile;
    for (int i = 0; i <= 16; ++i) {
        const double a = std::numbers::pi * i / 16.0;
        profile.push_back({std::sin(a) * (i == 0 || i == 16 ? 0.0 : 1.0), -std::cos(a), i / 16.0});
    }
    const Mesh m = lathe(profile, 24);
    EXPECT_EQ(m.triangles.size(), 24u * (2 + 14 * 2));
    EXPECT_TRUE(winding_matches_normals(m));
    EXPECT_NEAR(volume(m), 4.0 / 3.0 * std::numbers::pi, 0.3);
    EXPECT_LT(volume(m), 4.0 / 3.0 * std::numbers::pi);
    for (const Triangle& t : m.triangles)
        for (const Vertex& v : t.v) EXPECT_GT(dot(v.normal, v.position), 0.0);
}

TEST(Shapes, ExtrudedConcaveOutlineIsClosed) {
    // An L shape, given clockwise to check that orientation is fixed up.
    const std::vector<Vec2> l_shape{{0, 0}, {0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 0}};
    const Mesh m = extrude(l_shape, 0.5);
    EXPECT_EQ(m.triangles.size(), 4u * 2 + 6u * 2);
    EXPECT_TRUE(winding_matches_normals(m));
    EXPECT_NEAR(volume(m), 3.0 * 0.5, 1e-9);
}

TEST(Shapes, TubeFollowsItsPathAtItsRadius) {
    const std::vector<Vec3> path{{0, 0, 0}, {0, 0, 1}, {1, 0, 2}};
    const std::vector<double> radii{0.2, 0.1, 0.05};
    const Mesh m = tube(path, radii, 6);
    EXPECT_EQ(m.triangles.size(), 2u * 6 * 2);
    EXPECT_TRUE(winding_matches_normals(m));
    const Vertex& v = m.triangles[0].v[0];
    EXPECT_NEAR(length(v.position - path[0]), 0.2, 1e-9);
    EXPECT_NEAR(v.position.z, 0.0, 1e-9);  // the ring at the start stays in its plane
    EXPECT_TRUE(tube(path, std::span(radii).first(2), 6).triangles.empty());
}

TEST(Shapes, SurfaceNormalsFollowTheParameters) {
    const Mesh m = surface(4, 3, [](double u, double v) { return Vec3{u, v, 0.2 * u * u}; });
    EXPECT_EQ(m.triangles.size(), 4u * 3 * 2);
    EXPECT_TRUE(winding_matches_normals(m));
    for (const Triangle& t : m.triangles)
        for (const Vertex& v : t.v) EXPECT_GT(v.normal.z, 0.9);
}

TEST(Transform, ComposesRightToLeft) {
    const Transform t = translation({5, 0, 0}) * rotation_z(90.0);
    const Vec3 p = apply_point(t, {1, 0, 0});
    EXPECT_NEAR(p.x, 5.0, 1e-12);
    EXPECT_NEAR(p.y, 1.0, 1e-12);
    const Vec3 q = apply_point(rotation_x(90.0), {0, 1, 0});
    EXPECT_NEAR(q.z, 1.0, 1e-12);
}

TEST(Transform, NormalsStayPerpendicularUnderUnevenScale) {
    const Transform t = scaling({4, 1, 1}) * rotation_z(30.0);
    const Vec3 tangent{1, 1, 0};
    const Vec3 normal{1, -1, 0};
    EXPECT_NEAR(dot(apply_direction(t, tangent), apply_normal(t, normal)), 0.0, 1e-12);
    EXPECT_NEAR(length(apply_normal(t, normal)), 1.0, 1e-12);
}

TEST(Transform, MirrorKeepsSolidsOutsideOut) {
    const std::vector<Vec2> square{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const Mesh m = transformed(extrude(square, 1.0), scaling({-2, 1, 1}));
    EXPECT_TRUE(winding_matches_normals(m));
    EXPECT_NEAR(volume(m), 2.0, 1e-9);
}

TEST(Transform, AimZTurnsZOntoTheDirection) {
    for (const Vec3 d : {Vec3{1, 2, 3}, Vec3{0, 0, -1}, Vec3{0, 0, 2}, Vec3{-1, 0, 0}}) {
        const Vec3 z = apply_direction(aim_z(d), {0, 0, 1});
        EXPECT_NEAR(length(z - normalized(d)), 0.0, 1e-12);
    }
}

TEST(Mesh, TwoSidedLayersFaceAwayFromEachOther) {
    const Mesh m = two_sided(quad({0, 0, 0}, {1, 0, 0}, {0, 1, 0}), 0.1);
    ASSERT_EQ(m.triangles.size(), 4u);
    EXPECT_TRUE(winding_matches_normals(m));
    EXPECT_NEAR(m.triangles[0].v[0].position.z, 0.1, 1e-12);
    EXPECT_NEAR(m.triangles[1].v[0].position.z, -0.1, 1e-12);
    EXPECT_LT(m.triangles[1].v[0].normal.z, 0.0);
    const Bounds b = bounds(m);
    EXPECT_NEAR(b.max.x, 1.0, 1e-12);
    EXPECT_NEAR(b.min.z, -0.1, 1e-12);
}

}  // namespace
