// Reading mesh records and entries: record layout, the marker, malformed and
// cut entries, where textures come from and the references a node returns.
#include <cstring>

#include "resources/media.h"
#include "resources/pack.h"
#include "scene/object.h"
#include "support/gl_test.h"
#include "support/log_capture.h"
#include "support/mesh_bytes.h"
#include "support/temp_archive.h"
#include "textures/texturebase.h"

namespace {

using namespace lunabrelle::test;

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

TEST_F(MeshLoad, RecordFieldsLieWhereTheLayoutPutsThemAndRefusedRecordsLeaveTheCursor) {
    folder.add("m.pak", {});
    auto bytes = mesh_record(numbered("abcd", 2));
    ASSERT_EQ(bytes.size(), 538u);
    bytes.resize(600, 0x55);  // the next record's bytes are not touched
    raw cursor{bytes.data(), 600};
    Model m;
    ASSERT_TRUE(m.load(&cursor, "m.pak"));
    EXPECT_TRUE(cursor.data == bytes.data() + 538 && cursor.size == 600 - 538);
    EXPECT_STREQ(m.texture_name, "abcd");
    EXPECT_EQ(m.triangles, 2);
    double v[3];  // the archive's doubles need not be aligned
    std::memcpy(&v[0], reinterpret_cast<const char*>(m.vertices) + 8 * 17, 8);
    std::memcpy(&v[1], reinterpret_cast<const char*>(m.normals) + 8 * 17, 8);
    std::memcpy(&v[2], reinterpret_cast<const char*>(m.texcoords) + 8 * 11, 8);
    EXPECT_EQ((std::vector<double>{v[0], v[1], v[2], m.material.ambient[0]}), (std::vector<double>{17, -17, 5.5, 1}));
    EXPECT_EQ(m.texture, 0u);  // the archive lacks the image
    EXPECT_EQ(m.texture_source, "m.pak");

    const auto good = mesh_record(numbered("ab", 1));
    const std::size_t count_at = 4 + 3 + 80 + 60;
    // Name lengths 0, -3 and huge, triangle counts -1 and huge, an unterminated name.
    for (const auto& [at, value] : {std::pair<std::size_t, std::int32_t>{0, 0}, {0, -3}, {0, 0x7FFFFFFF}, {count_at, -1},
                                    {count_at, 0x7FFFFFFF}, {6, 'c'}}) {
        auto bad = good;
        if (at == 6) bad[6] = 'c'; else std::memcpy(bad.data() + at, &value, 4);
        raw c{bad.data(), std::int32_t(bad.size())};
        Model refused;
        EXPECT_FALSE(refused.load(&c, "m.pak")) << at << " " << value;
        EXPECT_TRUE(c.data == bad.data() && c.size == std::int32_t(bad.size()));
    }
}

TEST_F(MeshLoad, EveryCutKeepsTheWholeRecordsBeforeItAndEveryFaultIsNamed) {
    const std::vector<MeshRecordData> records = {numbered("img", 1), numbered("x#Fire16x16", 2), numbered("nothing", 0)};
    for (std::uint8_t marker : {0, 7, 255}) {  // only 255 puts four reserved bytes before the count
        const auto entry = mesh_entry(records, marker);
        const std::size_t header = marker == 255 ? 9 : 5;
        std::vector<std::size_t> ends = {header};
        for (const auto& r : records) ends.push_back(ends.back() + mesh_record(r).size());
        ASSERT_EQ(ends.back(), entry.size());
        folder.add("t.pak", {{"img", solid_bmp(2, 2, 0, 255, 0)}, {"p", entry}});
        // The entry's bytes stay whole behind each cut: a reader that looks
        // past the size it was given finds valid records there.
        Pack* pack = media.loadpack("t.pak");
        for (std::size_t cut = 0; cut <= entry.size(); ++cut) {
            SCOPED_TRACE("marker " + std::to_string(marker) + " cut at " + std::to_string(cut));
            pack->files[1].size = std::int32_t(cut);
            log.clear();
            Object o;
            o.add("t.pak", "p");
            std::size_t whole = 0;
            while (whole < records.size() && ends[whole + 1] <= cut) ++whole;
            ASSERT_EQ(o.models.size(), whole);
            EXPECT_EQ(o.model_count, std::int32_t(whole));
            ASSERT_EQ(log.lines().size(), cut == entry.size() ? 0u : 1u);
            const std::string fault = cut < header ? "truncated header" : "record " + std::to_string(whole + 1) + " of 3 is malformed";
            EXPECT_TRUE(cut == entry.size() || log.lines()[0].find(fault) != std::string::npos) << log.lines()[0];
        }
        pack->files[1].size = std::int32_t(entry.size());
        media.unget("t.pak");
    }
    auto negative = mesh_entry({numbered("a", 1)});
    std::memset(negative.data() + 1, 0xff, 4);  // count -1
    folder.add("m.pak", {{"negative", negative}});
    log.clear();
    Object o;
    for (const char* entry : {"absent", "negative"}) o.add("m.pak", entry);
    EXPECT_TRUE(o.models.empty() && o.has_models && media.refs == std::vector<std::int32_t>{2});  // each add holds it
    ASSERT_EQ(log.lines().size(), 2u);
    EXPECT_NE(log.lines()[0].find("\"absent\" of \"m.pak\""), std::string::npos) << log.lines()[0];
    EXPECT_NE(log.lines()[1].find("negative record count -1"), std::string::npos) << log.lines()[1];
}

TEST_F(MeshLoad, TexturesComeFromTheArchiveOrTheGeneratorsAndGoWithTheLastNode) {
    folder.add("m.pak", {{"two", mesh_entry({numbered("f#Fire16x16", 1), numbered("#img", 2)})},
                         {"#img", solid_bmp(2, 2, 1, 2, 3)}});
    auto *first = new Object, *second = new Object;
    first->add("m.pak", "two");
    first->add("m.pak", "two");
    second->add("m.pak", "two");
    ASSERT_EQ(first->models.size(), 4u);
    const Model &fire = *first->models[0], &image = *first->models[1];
    EXPECT_TRUE(fire.generated && fire.texture_source == "f#Fire16x16");  // '#' second: a computed texture
    EXPECT_EQ(texturebase.names, std::vector<std::string>{"f#Fire16x16"});
    EXPECT_TRUE(!image.generated && image.texture_source == "m.pak");  // '#' first: an ordinary image name
    const unsigned computed = fire.texture, texture = image.texture;
    EXPECT_TRUE(first->models[3]->texture == texture && second->models[1]->texture == texture);  // one texture shared
    delete first;
    EXPECT_TRUE(is_texture(texture) && is_texture(computed));
    EXPECT_EQ(media.names.size(), 1u);
    delete second;
    EXPECT_FALSE(is_texture(texture) || is_texture(computed));
}

}  // namespace
