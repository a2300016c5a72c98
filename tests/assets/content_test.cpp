// The generated archives: every entry an image or a mesh entry that reads,
// with unit normals and pictures of the same archive (powers of two, alpha
// where the meshes test or blend it; overlay pictures show something without
// being cut off); the flower bed in view and holding the resting butterfly.
#include <gtest/gtest.h>

#include <stb_image.h>

#include <algorithm>
#include <cmath>

#include "content/archives.h"
#include "content/flower_bed.h"
#include "content/scene_layout.h"
#include "kit/mesh_entry.h"
#include "kit/transform.h"

namespace {

using namespace content;

// The region a record maps of its w x h picture is opaque somewhere and clear
// along its border.
void expect_shown_whole(const kit::MeshRecord& r, const stbi_uc* rgba, int w, int h) {
    double s0 = 1, t0 = 1, s1 = 0, t1 = 0;
    for (const kit::Triangle& t : r.mesh.triangles)
        for (const kit::Vertex& v : t.v) {
            s0 = std::min(s0, v.texcoord.x), s1 = std::max(s1, v.texcoord.x);
            t0 = std::min(t0, v.texcoord.y), t1 = std::max(t1, v.texcoord.y);
        }
    const int x0 = int(std::lround(s0 * w)), x1 = int(std::lround(s1 * w)) - 1;
    const int y0 = int(std::lround(t0 * h)), y1 = int(std::lround(t1 * h)) - 1;
    int most = 0, border = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const int alpha = rgba[(std::size_t(y) * std::size_t(w) + std::size_t(x)) * 4 + 3];
            most = std::max(most, alpha);
            if (x == x0 || x == x1 || y == y0 || y == y1) border = std::max(border, alpha);
        }
    EXPECT_GT(most, 100) << "shows nothing";
    EXPECT_LT(border, 8) << "cut off at the edge of its picture";
}

TEST(Archives, EveryEntryIsAPictureOrAMeshEntryWhosePicturesAreComplete) {
    for (const Archive& archive : build_all_archives()) {
        const bool overlay = archive.name == "clock.pak" || archive.name == "calendar.pak" || archive.name == "utils.pak";
        for (const ArchiveEntry& entry : archive.entries) {
            SCOPED_TRACE(archive.name + " " + entry.name);
            int w = 0, h = 0, n = 0;
            if (stbi_info_from_memory(entry.bytes.data(), int(entry.bytes.size()), &w, &h, &n)) continue;
            std::vector<kit::MeshRecord> records;
            std::string error;
            ASSERT_TRUE(kit::read_mesh_entry(entry.bytes.data(), entry.bytes.size(), &records, &error)) << error;
            for (const kit::MeshRecord& r : records) {
                for (const kit::Triangle& t : r.mesh.triangles)
                    for (const kit::Vertex& v : t.v) ASSERT_NEAR(kit::length(v.normal), 1.0, 1e-6);
                if (r.texture.size() > 1 && r.texture[1] == '#') continue;  // computed
                const ArchiveEntry* image = find_entry(archive, r.texture);
                ASSERT_NE(image, nullptr) << r.texture;
                stbi_uc* p = stbi_load_from_memory(image->bytes.data(), int(image->bytes.size()), &w, &h, &n, 4);
                ASSERT_NE(p, nullptr) << r.texture;
                EXPECT_TRUE(w <= 2048 && h <= 1024 && (w & (w - 1)) == 0 && (h & (h - 1)) == 0) << w << "x" << h;
                EXPECT_EQ(n, r.material.alpha_test || r.material.blend ? 4 : 3) << r.texture;
                EXPECT_EQ(overlay, bool(r.material.blend));
                if (overlay) expect_shown_whole(r, p, w, h);
                stbi_image_free(p);
            }
        }
    }
}

TEST(FlowerBed, StaysInViewAtFourToThreeAndHoldsTheRestingButterfly) {
    const std::vector<Flower> flowers = plant_flowers();
    const auto records = flower_bed_records(flowers);
    EXPECT_TRUE(kit::write_mesh_entry(records) == kit::write_mesh_entry(flower_bed_records(plant_flowers())));
    const double tan_half = std::tan(22.5 * std::acos(-1.0) / 180.0);
    for (double angle = 0.0; angle < 360.0; angle += 45.0) {
        // Scaled 2 on a turntable 110 in front of the eye, tilted back 30 degrees.
        const kit::Transform t = kit::translation({0, 0, -110}) * kit::rotation_x(-30.0) * kit::rotation_z(angle) * kit::scaling({2, 2, 2});
        for (const kit::MeshRecord& r : records)
            for (const kit::Triangle& tri : r.mesh.triangles)
                for (const kit::Vertex& v : tri.v) {
                    const kit::Vec3 e = kit::apply_point(t, v.position);
                    ASSERT_LT(std::fabs(e.y / e.z), tan_half * 0.98) << "angle " << angle;
                    ASSERT_LT(std::fabs(e.x / e.z), tan_half * 4.0 / 3.0 * 0.98) << "angle " << angle;
                    ASSERT_GT(kit::length(v.position - kRestingBody), 0.25);  // nothing pierces the body
                }
    }
    ASSERT_FALSE(flowers.empty());
    const Flower& f = flowers.front();
    EXPECT_LT(kit::length(f.head - (kRestingBody - kRestingUp * 0.5)), f.radius * 0.5);
    EXPECT_GT(kit::dot(f.facing, kRestingUp), 0.99);
}

}  // namespace
