#include <gtest/gtest.h>

#include <stb_image.h>

#include <cmath>
#include <set>
#include <string>

#include "content/archives.h"
#include "content/background.h"
#include "content/butterfly.h"
#include "content/flower_bed.h"
#include "content/scene_layout.h"
#include "kit/mesh_entry.h"
#include "kit/transform.h"

namespace {

using namespace content;

std::vector<kit::MeshRecord> records_of(const Archive& archive, const std::string& entry) {
    const ArchiveEntry* e = find_entry(archive, entry);
    std::vector<kit::MeshRecord> records;
    std::string error;
    EXPECT_NE(e, nullptr) << archive.name << " lacks " << entry;
    if (e) {
        EXPECT_TRUE(kit::read_mesh_entry(e->bytes.data(), e->bytes.size(), &records, &error)) << error;
    }
    return records;
}

struct ImageInfo {
    int width = 0, height = 0, channels = 0;
    std::vector<std::uint8_t> pixels;
};

ImageInfo decode(const ArchiveEntry& e) {
    ImageInfo info;
    unsigned char* p = stbi_load_from_memory(e.bytes.data(), static_cast<int>(e.bytes.size()), &info.width,
                                             &info.height, &info.channels, 0);
    if (p) {
        info.pixels.assign(p, p + info.width * info.height * info.channels);
        stbi_image_free(p);
    }
    return info;
}

bool power_of_two(int n) { return n > 0 && (n & (n - 1)) == 0; }

// Checks every mesh entry's records: unit normals, and textures that are
// either computed or images of the same archive which decode, with sides of
// powers of two up to 2048 across and 1024 up, and with alpha exactly where the alpha test is on.
void expect_complete(const Archive& archive, std::initializer_list<const char*> meshes) {
    for (const char* entry : meshes) {
        for (const kit::MeshRecord& r : records_of(archive, entry)) {
            EXPECT_FALSE(r.mesh.triangles.empty()) << entry;
            for (const kit::Triangle& t : r.mesh.triangles)
                for (const kit::Vertex& v : t.v) ASSERT_NEAR(kit::length(v.normal), 1.0, 1e-6) << entry;
            if (r.texture.size() > 1 && r.texture[1] == '#') continue;
            const ArchiveEntry* image = find_entry(archive, r.texture);
            ASSERT_NE(image, nullptr) << archive.name << ": " << entry << " names missing " << r.texture;
            const ImageInfo info = decode(*image);
            EXPECT_TRUE(power_of_two(info.width) && info.width <= 2048) << r.texture;
            EXPECT_TRUE(power_of_two(info.height) && info.height <= 1024) << r.texture;
            EXPECT_EQ(info.channels, r.material.alpha_test ? 4 : 3) << r.texture;
        }
    }
}

TEST(Archives, ButterfliesHoldTheirBodyWingAndPictures) {
    for (int species = 1; species <= kSpecies; ++species) {
        const Archive a = build_butterfly_archive(species);
        EXPECT_EQ(a.name, "butterfly" + std::to_string(species) + ".pak");
        expect_complete(a, {"brushko", "krilo"});
    }
}

TEST(Archives, MainHoldsBackgroundAndFlowerBed) {
    const Archive a = build_main_archive();
    EXPECT_EQ(a.name, "main.pak");
    expect_complete(a, {"fon", "flowers"});
    std::set<std::string> names;
    for (const ArchiveEntry& e : a.entries) EXPECT_TRUE(names.insert(e.name).second) << "twice: " << e.name;
}

TEST(Archives, DemoQuadsUseComputedTextures) {
    const Archive a = build_demo_archive();
    EXPECT_EQ(a.name, "demo.pak");
    const auto fire = records_of(a, "fire");
    const auto plasma = records_of(a, "plasma");
    ASSERT_EQ(fire.size(), 1u);
    ASSERT_EQ(plasma.size(), 1u);
    EXPECT_EQ(fire[0].texture, "T#Fire128x128");
    EXPECT_EQ(plasma[0].texture, "T#Plasma64x64,10,20,30");
    EXPECT_TRUE(fire[0].material.blend);
    EXPECT_TRUE(plasma[0].material.alpha_test);
    EXPECT_EQ(fire[0].mesh.triangles.size(), 2u);
}

TEST(Archives, GeneratingTwiceGivesTheSameBytes) {
    const Archive first = build_butterfly_archive(4);
    const Archive second = build_butterfly_archive(4);
    ASSERT_EQ(first.entries.size(), second.entries.size());
    for (std::size_t i = 0; i < first.entries.size(); ++i) {
        EXPECT_EQ(first.entries[i].name, second.entries[i].name);
        EXPECT_TRUE(first.entries[i].bytes == second.entries[i].bytes) << first.entries[i].name;
    }
    EXPECT_TRUE(kit::write_mesh_entry(flower_bed_records(plant_flowers())) ==
                kit::write_mesh_entry(flower_bed_records(plant_flowers())));
}

TEST(Background, PlateCoversEveryViewWithTheSkyUp) {
    const kit::MeshRecord plate = background_plate("sky.jpg");
    const kit::Bounds b = kit::bounds(plate.mesh);
    // At 21:9 the view is 193 by 82.8 scene units at the plate's depth; the
    // plate is drawn scaled 4 across and 3 up.
    EXPECT_LE(b.min.x, -193.0 / 4.0);
    EXPECT_GE(b.max.x, 193.0 / 4.0);
    EXPECT_LE(b.min.y, -82.8 / 3.0);
    EXPECT_GE(b.max.y, 82.8 / 3.0);
    // The plate is turned so that model -y shows at the top of the view: the
    // image's top row (t = 0) must lie there.
    for (const kit::Triangle& t : plate.mesh.triangles)
        for (const kit::Vertex& v : t.v) EXPECT_EQ(v.texcoord.y == 0.0, v.position.y < 0.0);
}

// The flower bed as the scene shows it: scaled 2 on a turntable 110 units in
// front of the eye, tilted back 30 degrees and turned by angle.
kit::Vec3 to_eye(kit::Vec3 bed, double angle) {
    const kit::Transform t = kit::translation({0, 0, -110}) * kit::rotation_x(-30.0) * kit::rotation_z(angle) *
                             kit::scaling({2, 2, 2});
    return kit::apply_point(t, bed);
}

TEST(FlowerBed, WholeBedStaysInViewAtFourToThree) {
    const auto records = flower_bed_records(plant_flowers());
    const double tan_half = std::tan(22.5 * std::acos(-1.0) / 180.0);
    for (double angle = 0.0; angle < 360.0; angle += 45.0) {
        for (const kit::MeshRecord& r : records)
            for (const kit::Triangle& t : r.mesh.triangles)
                for (const kit::Vertex& v : t.v) {
                    const kit::Vec3 e = to_eye(v.position, angle);
                    ASSERT_LT(std::fabs(e.y / e.z), tan_half * 0.98) << "angle " << angle;
                    ASSERT_LT(std::fabs(e.x / e.z), tan_half * 4.0 / 3.0 * 0.98) << "angle " << angle;
                }
    }
}

TEST(FlowerBed, AFlowerWaitsUnderTheRestingButterfly) {
    const std::vector<Flower> flowers = plant_flowers();
    ASSERT_FALSE(flowers.empty());
    const kit::Vec3 below = kRestingBody - kRestingUp * 0.5;
    const Flower& f = flowers.front();
    EXPECT_LT(kit::length(f.head - below), f.radius * 0.5);
    EXPECT_GT(kit::dot(f.facing, kRestingUp), 0.99);

    // Nothing pierces the body: every vertex keeps clear of its centre.
    for (const kit::MeshRecord& r : flower_bed_records(flowers))
        for (const kit::Triangle& t : r.mesh.triangles)
            for (const kit::Vertex& v : t.v) ASSERT_GT(kit::length(v.position - kRestingBody), 0.25);
}

TEST(FlowerBed, CrowdedButWithinItsTriangleBudget) {
    const std::vector<Flower> flowers = plant_flowers();
    EXPECT_GE(flowers.size(), 250u);
    std::set<int> kinds;
    for (const Flower& f : flowers) {
        kinds.insert(static_cast<int>(f.kind));
        EXPECT_LT(std::hypot(f.base.x, f.base.y), kBedRadius);
        EXPECT_GT(f.facing.z, 0.0);
    }
    EXPECT_EQ(kinds.size(), static_cast<std::size_t>(kBloomKinds));
    std::size_t triangles = 0;
    for (const kit::MeshRecord& r : flower_bed_records(flowers)) triangles += r.mesh.triangles.size();
    EXPECT_LT(triangles, 15000u);
}

TEST(Butterfly, WingHingesOnTheBodyAxis) {
    const kit::MeshRecord wing = wing_record();
    const kit::Bounds w = kit::bounds(wing.mesh);
    EXPECT_NEAR(w.min.y, 0.0, 0.01);  // the hinge edge lies on the x axis
    EXPECT_GT(w.max.y, 20.0);         // and the wing reaches out along +y
    EXPECT_LT(w.max.z - w.min.z, 2.0);
    const kit::Bounds b = kit::bounds(body_record().mesh);
    EXPECT_GT(b.max.x, -b.min.x * 0.9);  // head towards +x, antennae beyond it
    EXPECT_GT(b.max.x - b.min.x, 2.0 * (b.max.y - b.min.y));
    EXPECT_GT(b.max.z, 0.0);
}

TEST(Butterfly, WingPictureIsClearOutsideItsOutline) {
    const Archive a = build_butterfly_archive(2);
    const ArchiveEntry* e = find_entry(a, "wing.png");
    ASSERT_NE(e, nullptr);
    const ImageInfo info = decode(*e);
    ASSERT_EQ(info.channels, 4);
    auto alpha = [&](int x, int y) { return info.pixels[(static_cast<std::size_t>(y) * info.width + x) * 4 + 3]; };
    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_EQ(alpha(info.width - 1, 0), 0);
    EXPECT_EQ(alpha(info.width / 2, info.height / 2), 255);
    int opaque = 0;
    for (int y = 0; y < info.height; ++y)
        for (int x = 0; x < info.width; ++x) opaque += alpha(x, y) > 229;
    EXPECT_GT(opaque, info.width * info.height / 4);
    EXPECT_LT(opaque, info.width * info.height * 3 / 4);
}

}  // namespace
