#include "kit/mesh_entry.h"

#include <gtest/gtest.h>

#include <cstring>

#include "kit/shapes.h"

namespace {

using namespace kit;

template <typename T>
T read_at(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    T v;
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}

MeshRecord sample_record(const std::string& texture, int triangles) {
    MeshRecord r;
    r.texture = texture;
    r.material.alpha_test = true;
    r.material.ambient = {0.1f, 0.2f, 0.3f, 0.4f};
    r.material.diffuse = {0.5f, 0.6f, 0.7f, 0.8f};
    r.material.specular = {0.9f, 1.0f, 0.25f, 0.5f};
    r.material.shininess = 42.0f;
    for (int i = 0; i < triangles; ++i) {
        const double k = i;
        add_triangle(r.mesh, Vertex{{k, 1, 2}, {0, 0, 1}, {0.125, 0.25}},
                     Vertex{{3, k, 5}, {0, 1, 0}, {0.5, 0.75}}, Vertex{{6, 7, k}, {1, 0, 0}, {1, 0}});
    }
    return r;
}

TEST(MeshEntry, RecordSizesFollowNameAndTriangleCount) {
    EXPECT_EQ(mesh_record_size(5, 2), 538u);
    EXPECT_EQ(mesh_record_size(2, 1), 343u);

    const MeshRecord five_two = sample_record("abcd", 2);
    EXPECT_EQ(write_mesh_entry(std::span(&five_two, 1)).size(), 5u + 538u);
    const MeshRecord two_one = sample_record("a", 1);
    EXPECT_EQ(write_mesh_entry(std::span(&two_one, 1)).size(), 348u);
}

TEST(MeshEntry, FieldsLieAtTheirOffsets) {
    const MeshRecord r = sample_record("abcd", 2);
    const std::vector<std::uint8_t> e = write_mesh_entry(std::span(&r, 1));
    const std::size_t L = 5, N = 2, base = 5;

    EXPECT_EQ(e[0], 0);
    EXPECT_EQ(read_at<std::int32_t>(e, 1), 1);
    EXPECT_EQ(read_at<std::int32_t>(e, base), 5);
    EXPECT_EQ(std::memcmp(e.data() + base + 4, "abcd\0", 5), 0);
    for (std::size_t i = 0; i < 80; ++i) EXPECT_EQ(e[base + 4 + L + i], 0) << "header byte " << i;

    const std::size_t material = base + 84 + L;
    EXPECT_EQ(e[material + 0], 1);  // alpha test
    EXPECT_EQ(e[material + 1], 0);  // blend
    EXPECT_FLOAT_EQ(read_at<float>(e, material + 4), 0.1f);
    EXPECT_FLOAT_EQ(read_at<float>(e, material + 16), 0.4f);
    EXPECT_FLOAT_EQ(read_at<float>(e, material + 20), 0.5f);
    EXPECT_FLOAT_EQ(read_at<float>(e, material + 36), 0.9f);
    EXPECT_FLOAT_EQ(read_at<float>(e, material + 52), 42.0f);

    EXPECT_EQ(read_at<std::int32_t>(e, base + 144 + L), 2);
    const std::size_t vertices = base + 149 + L;
    // Triangle 1, vertex 0 is (1, 1, 2); its normal (0, 0, 1); its texcoord (0.125, 0.25).
    EXPECT_DOUBLE_EQ(read_at<double>(e, vertices + 72), 1.0);
    EXPECT_DOUBLE_EQ(read_at<double>(e, vertices + 72 * N + 16), 1.0);
    EXPECT_DOUBLE_EQ(read_at<double>(e, vertices + 144 * N), 0.125);
    EXPECT_DOUBLE_EQ(read_at<double>(e, vertices + 144 * N + 8), 0.25);
    // Last texcoord of the last triangle: (1, 0), ending the record.
    EXPECT_DOUBLE_EQ(read_at<double>(e, e.size() - 16), 1.0);
}

TEST(MeshEntry, SeveralRecordsReadBackUnchanged) {
    std::vector<MeshRecord> records{sample_record("flora.png", 3), sample_record("T#Fire128x128", 1),
                                    sample_record("", 0)};
    records[1].material.blend = true;
    records[1].material.alpha_test = false;
    const std::vector<std::uint8_t> e = write_mesh_entry(records);
    EXPECT_EQ(e.size(), 5 + mesh_record_size(10, 3) + mesh_record_size(14, 1) + mesh_record_size(1, 0));

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
                const Vertex& a = back[i].mesh.triangles[t].v[k];
                const Vertex& b = records[i].mesh.triangles[t].v[k];
                EXPECT_EQ(a.position.x, b.position.x);
                EXPECT_EQ(a.position.z, b.position.z);
                EXPECT_EQ(a.normal.y, b.normal.y);
                EXPECT_EQ(a.texcoord.x, b.texcoord.x);
                EXPECT_EQ(a.texcoord.y, b.texcoord.y);
            }
    }
}

TEST(MeshEntry, MarkerTwoFiftyFiveSkipsFourBytes) {
    const MeshRecord r = sample_record("a", 1);
    std::vector<std::uint8_t> e = write_mesh_entry(std::span(&r, 1));
    e[0] = 255;
    e.insert(e.begin() + 1, {9, 9, 9, 9});
    std::vector<MeshRecord> back;
    std::string error;
    ASSERT_TRUE(read_mesh_entry(e.data(), e.size(), &back, &error)) << error;
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].texture, "a");
}

TEST(MeshEntry, MalformedEntriesAreRefused) {
    const MeshRecord r = sample_record("abcd", 2);
    const std::vector<std::uint8_t> e = write_mesh_entry(std::span(&r, 1));
    std::vector<MeshRecord> back;
    std::string error;
    for (std::size_t cut = 0; cut < e.size(); ++cut)
        EXPECT_FALSE(read_mesh_entry(e.data(), cut, &back, &error)) << "truncated at " << cut;

    std::vector<std::uint8_t> negative = e;
    negative[4] = 0x80;  // count becomes negative
    EXPECT_FALSE(read_mesh_entry(negative.data(), negative.size(), &back, &error));

    std::vector<std::uint8_t> unterminated = e;
    unterminated[5 + 4 + 4] = 'x';  // the name's zero byte
    EXPECT_FALSE(read_mesh_entry(unterminated.data(), unterminated.size(), &back, &error));

    std::vector<std::uint8_t> huge = e;
    huge[5 + 144 + 5 + 3] = 0x7F;  // triangle count far past the end
    EXPECT_FALSE(read_mesh_entry(huge.data(), huge.size(), &back, &error));
}

}  // namespace
