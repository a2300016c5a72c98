#include <gtest/gtest.h>

#include <stb_image.h>

#include <cmath>
#include <string>

#include "content/archives.h"
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

TEST(Archives, MeshesTexturesAndPicturesAreCompleteAndTheSameEachTime) {
    for (int species = 1; species <= kSpecies; ++species) {
        const Archive a = build_butterfly_archive(species);
        EXPECT_EQ(a.name, "butterfly" + std::to_string(species) + ".pak");
        expect_complete(a, {"brushko", "krilo"});
        const Archive again = build_butterfly_archive(species);
        ASSERT_EQ(a.entries.size(), again.entries.size());
        for (std::size_t i = 0; i < a.entries.size(); ++i) EXPECT_TRUE(a.entries[i].bytes == again.entries[i].bytes);
    }
    const Archive main = build_main_archive();
    EXPECT_EQ(main.name, "main.pak");
    expect_complete(main, {"fon", "flowers"});
    EXPECT_TRUE(kit::write_mesh_entry(flower_bed_records(plant_flowers())) ==
                kit::write_mesh_entry(flower_bed_records(plant_flowers())));
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

}  // namespace
