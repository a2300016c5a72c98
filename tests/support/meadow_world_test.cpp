#include "support/meadow_world_test.h"

#include "host/frame_driver.h"
#include "host/singletons.h"
#include "meadow/scene_assembly.h"
#include "scene/model.h"
#include "support/mesh_bytes.h"

namespace lunabrelle::test {
namespace {

// Model::draw writes the modelview matrix into the model; a matrix cleared
// before the frame and written during it marks a mesh drawn in that frame.
void clear_drawn(Object* node) {
    for (Model* m : node->models)
        for (double& v : m->modelview) v = 0.0;
    for (Object* child : node->links) clear_drawn(child);
}

void collect_drawn(const Object* node, std::vector<const Model*>* out) {
    for (const Model* m : node->models)
        if (m->modelview[15] != 0.0) out->push_back(m);
    for (const Object* child : node->links) collect_drawn(child, out);
}

void write_tagged_archive(const ArchiveFolder& to, const std::string& name, const std::vector<std::string>& entries) {
    ArchiveEntries archive;
    for (const std::string& entry : entries) {
        MeshRecordData triangle{"@" + entry, flat_material(1, 1, 1, 1), {0, 0, 0, 1, 0, 0, 0, 1, 0},
                                {0, 0, 1, 0, 0, 1, 0, 0, 1}, std::vector<double>(6, 0.0)};
        archive.emplace_back(entry, mesh_entry({triangle}));
    }
    to.add(name, archive);
}

}  // namespace

void write_scene_archives(const ArchiveFolder& archives) {
    std::vector<std::string> clock, calendar, utils = {"fps"};
    for (int i = 0; i <= 9; ++i) clock.push_back(std::to_string(i)), utils.push_back(std::to_string(i));
    for (int i = 1; i <= 31; ++i) calendar.push_back(std::to_string(i));
    for (int i = 1; i <= 12; ++i) calendar.push_back("m" + std::to_string(i));
    clock.insert(clock.end(), {"podlozka", "podlozka_am", "dot", "am", "pm", "ciferblat", "sec", "min", "chas"});
    calendar.insert(calendar.end(), {"fon", "fon_rus", "day", "day_rus", "null", "sel"});
    write_tagged_archive(archives, "main.pak", {"fon", "flowers"});
    for (int i = 1; i <= 5; ++i)
        write_tagged_archive(archives, "butterfly" + std::to_string(i) + ".pak", {"brushko", "krilo"});
    write_tagged_archive(archives, "clock.pak", clock);
    write_tagged_archive(archives, "calendar.pak", calendar);
    write_tagged_archive(archives, "utils.pak", utils);
}

void MeadowWorldTest::SetUp() {
    GlTest::SetUp();
    write_scene_archives(archives);
    mac_boundle_path = archives.folder.path().string();
    mac_config_path = archives.folder.file("absent.cfg");
    mac_construct();
    ASSERT_NE(conf, nullptr);
    for (bool* off : {&conf->show_fps, &conf->show_time, &conf->analog_clock, &conf->big_clock, &conf->show_calendar,
                      &conf->monday_first})
        *off = false;
    conf->time_24h = true;
}

void MeadowWorldTest::TearDown() {
    mac_destruct();
    EXPECT_TRUE(media.packs.empty()) << "archives left open: " << media.names.size();
}

void MeadowWorldTest::build() { mac_init(kWidth, kHeight, 32); }

void MeadowWorldTest::frame(std::int64_t advance_ms) {
    clock.advance_ms(advance_ms);
    clear_drawn(map);
    clear_drawn(overlay);
    mac_draw_one_frame();
}

int count_nodes(const Object* node) {
    int n = 1;
    for (const Object* child : node->links) n += count_nodes(child);
    return n;
}

std::vector<const Model*> drawn_models(const Object* node) {
    std::vector<const Model*> out;
    collect_drawn(node, &out);
    return out;
}

std::vector<std::string> drawn_entries(const Object* node) {
    std::vector<std::string> out;
    for (const Model* m : drawn_models(node)) out.push_back(m->texture_name != nullptr ? m->texture_name + 1 : "");
    return out;
}

std::string entry_of(const Object* node) {
    if (node->models.empty() || node->models[0]->texture_name == nullptr) return "";
    return node->models[0]->texture_name + 1;  // past the '@'
}

}  // namespace lunabrelle::test
