// The content kit: mesh entries written in the layout the saver reads and read
// back, every cut refused; shapes closed with outward normals.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "kit/mesh_entry.h"
#include "kit/shapes.h"
#include "kit/transform.h"
#include "support/mesh_bytes.h"

namespace {

using namespace kit;

TEST(MeshEntry, RecordsAreWrittenInTheDocumentedLayoutAndReadBackAndEveryCutOrBadFieldIsRefused) {
    std::vector<MeshRecord> records(3);
    std::vector<lunabrelle::test::MeshRecordData> layout;  // the same records for the tests' own writer of the layout
    for (int k = 0; k < 3; ++k) {
        MeshRecord& r = records[std::size_t(k)];
        r.texture = std::vector<std::string>{"flora.png", "T#Fire128x128", ""}[std::size_t(k)];
        r.material.alpha_test = k == 0, r.material.blend = k == 1;
        r.material.diffuse[3] = 0.5f + k, r.material.shininess = 42.0f + k;
        for (int i = 0; i < 3 - k; ++i)
            add_triangle(r.mesh, Vertex{{double(i), 1, 2}, {0, 0, 1}, {0.125, 0.25}},
                         Vertex{{3, double(i + k), 5}, {0, 1, 0}, {0.5, 0.75}}, Vertex{{6, 7, double(i)}, {1, 0, 0}, {1, 0}});
        auto& d = layout.emplace_back(r.texture, lunabrelle::test::flat_material(1, 1, 1, 1, k == 1, k == 0));
        d.material.diffuse[3] = r.material.diffuse[3], d.material.shininess = r.material.shininess;
        for (const Triangle& t : r.mesh.triangles)
            for (const Vertex& v : t.v) {
                d.vertices.insert(d.vertices.end(), {v.position.x, v.position.y, v.position.z});
                d.normals.insert(d.normals.end(), {v.normal.x, v.normal.y, v.normal.z});
                d.texcoords.insert(d.texcoords.end(), {v.texcoord.x, v.texcoord.y});
            }
    }
    const std::vector<std::uint8_t> e = write_mesh_entry(records);
    EXPECT_EQ(e, lunabrelle::test::mesh_entry(layout));
    // Read back from the entry with the marker that puts four reserved bytes before the count.
    const std::vector<std::uint8_t> marked = lunabrelle::test::mesh_entry(layout, 255);
    std::vector<MeshRecord> back;
    std::string error;
    ASSERT_TRUE(read_mesh_entry(marked.data(), marked.size(), &back, &error)) << error;
    EXPECT_EQ(write_mesh_entry(back), e);
    for (std::size_t cut = 0; cut < marked.size(); ++cut)
        ASSERT_FALSE(read_mesh_entry(marked.data(), cut, &back, &error)) << "cut at " << cut;
    for (const auto& [at, value] : {std::pair<std::size_t, std::uint8_t>{8, 0x80}, {9 + 4 + 9, 'x'}, {9 + 4 + 10 + 140 + 3, 0x7F}}) {
        auto bad = marked;  // count, name end, triangles
        bad[at] = value;
        EXPECT_FALSE(read_mesh_entry(bad.data(), bad.size(), &back, &error)) << at;
    }
}

TEST(Shapes, SolidsAreClosedWithOutwardNormalsEvenMirrored) {
    auto volume = [](const Mesh& m) {  // positive when wound counter-clockwise seen from outside
        double v = 0.0;
        for (const Triangle& t : m.triangles) v += dot(t.v[0].position, cross(t.v[1].position, t.v[2].position)) / 6.0;
        return v;
    };
    auto outward = [](const Mesh& m) {
        for (const Triangle& t : m.triangles) {
            const Vec3 face = cross(t.v[1].position - t.v[0].position, t.v[2].position - t.v[0].position);
            if (length(face) > 1e-12 && dot(face, t.v[0].normal + t.v[1].normal + t.v[2].normal) <= 0.0) return false;
        }
        return true;
    };
    std::vector<ProfilePoint> profile;  // pole, waist, pole
    for (int i = 0; i <= 16; ++i)
        profile.push_back({std::sin(std::numbers::pi * i / 16.0) * (i % 16 ? 1.0 : 0.0), -std::cos(std::numbers::pi * i / 16.0), i / 16.0});
    const std::vector<Vec2> l_shape{{0, 0}, {0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 0}};  // clockwise
    for (const auto& [mesh, expected] : {std::pair{lathe(profile, 24), 4.1}, {extrude(l_shape, 0.5), 1.5},
                                         {transformed(extrude(l_shape, 1.0), scaling({-2, 1, 1})), 6.0}}) {
        EXPECT_TRUE(outward(mesh));
        EXPECT_NEAR(volume(mesh), expected, 0.1);
    }
    for (const Mesh& open : {quad({0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {0, 0, 1, 1}), disc(2.0, 12),
                             surface(4, 3, [](double u, double v) { return Vec3{u, v, 0.2 * u * u}; })})
        EXPECT_TRUE(outward(open));
    const Transform t = scaling({4, 1, 1}) * rotation_z(30.0);  // normals stay perpendicular
    EXPECT_NEAR(dot(apply_direction(t, {1, 1, 0}), apply_normal(t, {1, -1, 0})), 0.0, 1e-12);
}

}  // namespace
