// The content kit: mesh entries written and read back, shapes closed with
// outward normals, pictures encoded without loss.
#include <gtest/gtest.h>

#include <stb_image.h>

#include <cmath>
#include <numbers>

#include "kit/image_codec.h"
#include "kit/mesh_entry.h"
#include "kit/shapes.h"
#include "kit/transform.h"

namespace {

using namespace kit;

MeshRecord sample_record(const std::string& texture, int triangles) {
    MeshRecord r;
    r.texture = texture;
    r.material.alpha_test = true;
    r.material.diffuse = {0.5f, 0.6f, 0.7f, 0.8f};
    r.material.shininess = 42.0f;
    for (int i = 0; i < triangles; ++i)
        add_triangle(r.mesh, Vertex{{double(i), 1, 2}, {0, 0, 1}, {0.125, 0.25}},
                     Vertex{{3, double(i), 5}, {0, 1, 0}, {0.5, 0.75}}, Vertex{{6, 7, double(i)}, {1, 0, 0}, {1, 0}});
    return r;
}

TEST(MeshEntry, RecordsReadBackUnchangedAndEveryCutOrBadFieldIsRefused) {
    std::vector<MeshRecord> records{sample_record("flora.png", 3), sample_record("T#Fire128x128", 1),
                                    sample_record("", 0)};
    records[1].material.blend = true;
    records[1].material.alpha_test = false;
    std::vector<std::uint8_t> e = write_mesh_entry(records);
    EXPECT_EQ(mesh_record_size(5, 2), 538u);
    EXPECT_EQ(e.size(), 5 + mesh_record_size(10, 3) + mesh_record_size(14, 1) + mesh_record_size(1, 0));
    e[0] = 255;  // the marker that puts four reserved bytes before the count
    e.insert(e.begin() + 1, {9, 9, 9, 9});
    std::vector<MeshRecord> back;
    std::string error;
    ASSERT_TRUE(read_mesh_entry(e.data(), e.size(), &back, &error)) << error;
    ASSERT_EQ(back.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back[i].texture, records[i].texture);
        EXPECT_EQ(back[i].material.alpha_test, records[i].material.alpha_test);
        EXPECT_EQ(back[i].material.blend, records[i].material.blend);
        EXPECT_EQ(back[i].material.diffuse, records[i].material.diffuse);
        EXPECT_EQ(back[i].material.shininess, records[i].material.shininess);
        ASSERT_EQ(back[i].mesh.triangles.size(), records[i].mesh.triangles.size());
        for (std::size_t t = 0; t < back[i].mesh.triangles.size(); ++t)
            for (int k = 0; k < 3; ++k) {
                const Vertex &a = back[i].mesh.triangles[t].v[k], &b = records[i].mesh.triangles[t].v[k];
                EXPECT_EQ((std::vector<double>{a.position.x, a.position.y, a.position.z, a.normal.x, a.normal.y,
                                               a.normal.z, a.texcoord.x, a.texcoord.y}),
                          (std::vector<double>{b.position.x, b.position.y, b.position.z, b.normal.x, b.normal.y,
                                               b.normal.z, b.texcoord.x, b.texcoord.y}));
            }
    }
    for (std::size_t cut = 0; cut < e.size(); ++cut)
        ASSERT_FALSE(read_mesh_entry(e.data(), cut, &back, &error)) << "cut at " << cut;
    auto with = [&](std::size_t at, std::uint8_t value) {
        auto b = e;
        b[at] = value;
        return b;
    };
    for (const auto& bad : {with(8, 0x80), with(9 + 4 + 9, 'x'), with(9 + 4 + 10 + 140 + 3, 0x7F)})
        EXPECT_FALSE(read_mesh_entry(bad.data(), bad.size(), &back, &error));  // count, name end, triangles
}

// Signed volume enclosed by a closed mesh: positive when its triangles wind
// counter-clockwise seen from outside.
double volume(const Mesh& m) {
    double v = 0.0;
    for (const Triangle& t : m.triangles) v += dot(t.v[0].position, cross(t.v[1].position, t.v[2].position)) / 6.0;
    return v;
}

bool winding_matches_normals(const Mesh& m) {
    for (const Triangle& t : m.triangles) {
        const Vec3 face = cross(t.v[1].position - t.v[0].position, t.v[2].position - t.v[0].position);
        if (length(face) > 1e-12 && dot(face, t.v[0].normal + t.v[1].normal + t.v[2].normal) <= 0.0) return false;
    }
    return true;
}

TEST(Shapes, SolidsAreClosedWithOutwardNormalsEvenMirrored) {
    std::vector<ProfilePoint> profile;  // pole, waist, pole
    for (int i = 0; i <= 16; ++i) {
        const double a = std::numbers::pi * i / 16.0;
        profile.push_back({std::sin(a) * (i == 0 || i == 16 ? 0.0 : 1.0), -std::cos(a), i / 16.0});
    }
    const std::vector<Vec2> l_shape{{0, 0}, {0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 0}};  // clockwise
    const std::pair<Mesh, double> solids[] = {
        {lathe(profile, 24), 4.1}, {extrude(l_shape, 0.5), 1.5},
        {transformed(extrude(l_shape, 1.0), scaling({-2, 1, 1})), 6.0}};
    for (const auto& [mesh, expected] : solids) {
        EXPECT_TRUE(winding_matches_normals(mesh));
        EXPECT_NEAR(volume(mesh), expected, 0.1);
    }
    for (const Mesh& open : {quad({0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {0, 0, 1, 1}), disc(2.0, 12),
                             surface(4, 3, [](double u, double v) { return Vec3{u, v, 0.2 * u * u}; })})
        EXPECT_TRUE(winding_matches_normals(open));
    const Transform t = scaling({4, 1, 1}) * rotation_z(30.0);  // normals stay perpendicular
    EXPECT_NEAR(dot(apply_direction(t, {1, 1, 0}), apply_normal(t, {1, -1, 0})), 0.0, 1e-12);
}

TEST(ImageCodec, PngKeepsEveryByteAndIsTheSameEachTime) {
    Image image(37, 21);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = std::uint8_t(i * 7 + i / 37);
    const std::vector<std::uint8_t> png = encode_png(image);
    EXPECT_EQ(png, encode_png(image));
    int w = 0, h = 0, n = 0;
    unsigned char* p = stbi_load_from_memory(png.data(), int(png.size()), &w, &h, &n, 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ((std::vector<int>{w, h, n}), (std::vector<int>{37, 21, 4}));
    EXPECT_EQ(std::vector<std::uint8_t>(p, p + 37 * 21 * 4), image.pixels);
    stbi_image_free(p);
}

}  // namespace
