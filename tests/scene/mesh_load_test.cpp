// Reading mesh records and entries: record sizes, the marker, malformed and
// truncated entries, where textures come from and the references a node
// returns.
#include <cstring>
#include <string>
#include <vector>

#include "resources/media.h"
#include "scene/object.h"
#include "support/gl_test.h"
#include "support/log_capture.h"
#include "support/mesh_bytes.h"
#include "support/temp_archive.h"
#include "textures/texturebase.h"

namespace {

using namespace lunabrelle::test;

double double_at(const double* p, int index) {
    double v;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(p) + 8 * index, sizeof v);
    return v;
}

class MeshLoad : public GlTest {
protected:
    void TearDown() override {
        // Every test returns every archive and computed texture it took.
        EXPECT_TRUE(media.names.empty());
        EXPECT_TRUE(texturebase.names.empty());
    }
    ArchiveFolder folder;
    LogCapture log;
};

TEST_F(MeshLoad, RecordWithNameOfFourAndTwoTrianglesIs538Bytes) {
    folder.add("m.pak", {{"img", solid_bmp(2, 2, 255, 0, 0)}});
    auto bytes = mesh_record(numbered("abcd", 2));
    ASSERT_EQ(bytes.size(), 538u);
    bytes.resize(600, 0x55);  // the next record's bytes are not touched
    raw cursor{bytes.data(), static_cast<std::int32_t>(bytes.size())};
    {
        Model m;
        ASSERT_TRUE(m.load(&cursor, "m.pak"));
        EXPECT_EQ(cursor.data, bytes.data() + 538);
        EXPECT_EQ(cursor.size, 600 - 538);
        EXPECT_STREQ(m.texture_name, "abcd");
        EXPECT_EQ(m.header, bytes.data() + 9);
        EXPECT_EQ(m.triangles, 2);
        EXPECT_EQ(reinterpret_cast<const unsigned char*>(m.vertices), bytes.data() + 154);
        EXPECT_EQ(reinterpret_cast<const unsigned char*>(m.normals), bytes.data() + 154 + 144);
        EXPECT_EQ(reinterpret_cast<const unsigned char*>(m.texcoords), bytes.data() + 154 + 288);
        EXPECT_EQ(double_at(m.vertices, 17), 17.0);
        EXPECT_EQ(double_at(m.normals, 17), -17.0);
        EXPECT_EQ(double_at(m.texcoords, 11), 5.5);
        EXPECT_EQ(m.material.ambient[0], 1.0f);
        EXPECT_EQ(m.material.blend, 0);
        // An image that the archive lacks leaves texture 0 but is returned all the same.
        EXPECT_EQ(m.texture, 0u);
        EXPECT_FALSE(m.generated);
        EXPECT_EQ(m.texture_source, "m.pak");
    }
}

TEST_F(MeshLoad, RefusedRecordsLeaveTheCursorAndTakeNothing) {
    const auto good = mesh_record(numbered("ab", 1));
    auto with_int = [&](std::size_t offset, std::int32_t value) {
        auto b = good;
        std::memcpy(b.data() + offset, &value, 4);
        return b;
    };
    const std::size_t count_at = 4 + 3 + 80 + 60;
    std::vector<std::vector<std::uint8_t>> bad = {
        with_int(0, 0),                                        // no room for the zero byte
        with_int(0, -3),                                       // negative length
        with_int(0, 0x7FFFFFFF),                               // length past the end
        with_int(count_at, -1),                                // negative count
        with_int(count_at, 2),                                 // more triangles than bytes
        with_int(count_at, 0x7FFFFFFF),                        // overflowing count
        std::vector<std::uint8_t>(good.begin(), good.end() - 1),  // one byte short
        std::vector<std::uint8_t>(good.begin(), good.begin() + 100),
    };
    auto unterminated = good;
    unterminated[6] = 'c';
    bad.push_back(unterminated);
    for (std::size_t i = 0; i < bad.size(); ++i) {
        raw cursor{bad[i].data(), static_cast<std::int32_t>(bad[i].size())};
        Model m;
        EXPECT_FALSE(m.load(&cursor, "m.pak")) << "case " << i;
        EXPECT_EQ(cursor.data, bad[i].data());
        EXPECT_EQ(cursor.size, static_cast<std::int32_t>(bad[i].size()));
    }
    // The same record whole is read.
    auto copy = good;
    raw cursor{copy.data(), static_cast<std::int32_t>(copy.size())};
    folder.add("m.pak", {});
    Model m;
    EXPECT_TRUE(m.load(&cursor, "m.pak"));
    EXPECT_EQ(cursor.size, 0);
}

TEST_F(MeshLoad, MarkerDecidesWhereTheCountLies) {
    const auto plain = mesh_entry({numbered("a", 1)}, 0);
    const auto marked = mesh_entry({numbered("a", 1)}, 255);
    ASSERT_EQ(plain.size(), 348u);
    ASSERT_EQ(marked.size(), 352u);
    auto odd_marker = plain;
    odd_marker[0] = 7;
    folder.add("m.pak", {{"plain", plain}, {"marked", marked}, {"odd", odd_marker}});
    for (const char* entry : {"plain", "marked", "odd"}) {
        Object o;
        o.add("m.pak", entry);
        ASSERT_EQ(o.models.size(), 1u) << entry;
        EXPECT_EQ(o.model_count, 1);
        EXPECT_EQ(double_at(o.models[0]->vertices, 8), 8.0);
        EXPECT_EQ(double_at(o.models[0]->texcoords, 5), 2.5);
    }
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(MeshLoad, TruncatedEntriesKeepTheWholeRecordsBeforeTheCut) {
    const std::vector<MeshRecordSpec> records = {numbered("img", 1), numbered("x#Fire16x16", 2),
                                                 numbered("nothing", 0)};
    const auto entry = mesh_entry(records, 255);
    std::vector<std::size_t> ends = {9};
    for (const auto& r : records) ends.push_back(ends.back() + mesh_record(r).size());
    ASSERT_EQ(ends.back(), entry.size());

    ArchiveEntries entries = {{"img", solid_bmp(2, 2, 0, 255, 0)}};
    for (std::size_t k = 0; k <= entry.size(); ++k)
        entries.push_back({"p" + std::to_string(k), std::vector<std::uint8_t>(entry.begin(), entry.begin() + k)});
    folder.add("t.pak", entries);
    Object holder;  // keeps the archive open across the loop
    holder.add("t.pak", "img");

    for (std::size_t k = 0; k <= entry.size(); ++k) {
        log.clear();
        Object o;
        o.add("t.pak", ("p" + std::to_string(k)).c_str());
        std::size_t whole = 0;
        while (whole < records.size() && ends[whole + 1] <= k) ++whole;
        ASSERT_EQ(o.models.size(), whole) << "cut at " << k;
        EXPECT_EQ(o.model_count, static_cast<std::int32_t>(whole));
        EXPECT_TRUE(o.has_models);
        EXPECT_EQ(log.lines().size(), k == entry.size() ? 0u : 1u) << "cut at " << k;
    }
}

TEST_F(MeshLoad, MissingEntriesAndBadCountsLoadNothingAndSaySo) {
    auto negative = mesh_entry({numbered("a", 1)});
    const std::int32_t minus_one = -1;
    std::memcpy(negative.data() + 1, &minus_one, 4);
    folder.add("m.pak", {{"negative", negative}, {"empty", mesh_entry({})}});
    Object o;
    o.add("m.pak", "absent");
    o.add("m.pak", "negative");
    o.add("m.pak", "empty");
    EXPECT_TRUE(o.models.empty());
    EXPECT_EQ(o.model_count, 0);
    EXPECT_TRUE(o.has_models);
    EXPECT_EQ(o.packs.size(), 3u);
    ASSERT_EQ(log.lines().size(), 2u);
    EXPECT_NE(log.lines()[0].find("absent"), std::string::npos);
    EXPECT_NE(log.lines()[0].find("m.pak"), std::string::npos);
    EXPECT_NE(log.lines()[1].find("negative"), std::string::npos);
    // Each add still holds the archive open until the node goes.
    EXPECT_EQ(media.names.size(), 1u);
}

TEST_F(MeshLoad, HashAsSecondCharacterNamesAComputedTexture) {
    folder.add("m.pak", {{"mesh", mesh_entry({numbered("f#Fire16x16", 1), numbered("#img", 1)})},
                         {"#img", solid_bmp(2, 2, 1, 2, 3)}});
    unsigned computed = 0, image = 0;
    {
        Object o;
        o.add("m.pak", "mesh");
        ASSERT_EQ(o.models.size(), 2u);
        const Model& fire = *o.models[0];
        EXPECT_TRUE(fire.generated);
        EXPECT_EQ(fire.texture_source, "f#Fire16x16");
        ASSERT_EQ(texturebase.names.size(), 1u);
        EXPECT_EQ(texturebase.names[0], "f#Fire16x16");
        computed = fire.texture;
        EXPECT_TRUE(is_texture(computed));

        const Model& img = *o.models[1];  // '#' first is an ordinary image name
        EXPECT_FALSE(img.generated);
        EXPECT_EQ(img.texture_source, "m.pak");
        image = img.texture;
        EXPECT_TRUE(is_texture(image));
    }
    EXPECT_FALSE(is_texture(computed));
    EXPECT_FALSE(is_texture(image));
}

TEST_F(MeshLoad, NodesReturnEveryArchiveAndTextureReference) {
    folder.add("m.pak", {{"two", mesh_entry({numbered("img", 1), numbered("img", 2)})},
                         {"img", solid_bmp(2, 2, 9, 9, 9)}});
    auto* first = new Object;
    first->add("m.pak", "two");
    first->add("m.pak", "two");
    auto* second = new Object;
    second->add("m.pak", "two");
    ASSERT_EQ(first->models.size(), 4u);
    const unsigned texture = first->models[0]->texture;
    for (const Model* m : first->models) EXPECT_EQ(m->texture, texture);  // one texture shared
    EXPECT_EQ(second->models[1]->texture, texture);

    delete first;
    ASSERT_EQ(media.names.size(), 1u);
    EXPECT_TRUE(is_texture(texture));
    delete second;
    EXPECT_TRUE(media.names.empty());  // the archive is closed
    EXPECT_FALSE(is_texture(texture));
}

}  // namespace
