#include "support/temp_archive.h"

#include <gtest/gtest.h>

#include "resources/media.h"
#include "resources/pack.h"
#include "support/mesh_bytes.h"

namespace lunabrelle::test {

void write_archive(const std::string& path, const ArchiveEntries& entries) {
    Pack pack;
    for (const auto& [entry, bytes] : entries) {
        raw data{const_cast<std::uint8_t*>(bytes.data()), static_cast<std::int32_t>(bytes.size())};
        if (pack.pushfile(entry.c_str(), data) != 1) ADD_FAILURE() << "cannot add " << entry;
    }
    if (!pack.save(path.c_str())) ADD_FAILURE() << "cannot write " << path;
}

ArchiveFolder::ArchiveFolder() { media.setpwd(folder.path().string() + "/"); }

ArchiveFolder::~ArchiveFolder() { media.setpwd("0"); }

void TempArchiveFolder::write_tagged_archive(const std::string& name, const std::vector<std::string>& entries) const {
    ArchiveEntries archive;
    for (const std::string& entry : entries) {
        MeshRecordData triangle{"@" + entry, flat_material(1, 1, 1, 1), {0, 0, 0, 1, 0, 0, 0, 1, 0},
                                {0, 0, 1, 0, 0, 1, 0, 0, 1}, std::vector<double>(6, 0.0)};
        archive.emplace_back(entry, mesh_entry({triangle}));
    }
    write_archive(folder.file(name), archive);
}

void TempArchiveFolder::write_scene_archives() const {
    std::vector<std::string> clock, calendar, utils = {"fps"};
    for (int i = 0; i <= 9; ++i) clock.push_back(std::to_string(i)), utils.push_back(std::to_string(i));
    for (int i = 1; i <= 31; ++i) calendar.push_back(std::to_string(i));
    for (int i = 1; i <= 12; ++i) calendar.push_back("m" + std::to_string(i));
    clock.insert(clock.end(), {"podlozka", "podlozka_am", "dot", "am", "pm", "ciferblat", "sec", "min", "chas"});
    calendar.insert(calendar.end(), {"fon", "fon_rus", "day", "day_rus", "null", "sel"});
    write_tagged_archive("main.pak", {"fon", "flowers"});
    for (int i = 1; i <= 5; ++i) write_tagged_archive("butterfly" + std::to_string(i) + ".pak", {"brushko", "krilo"});
    write_tagged_archive("clock.pak", clock);
    write_tagged_archive("calendar.pak", calendar);
    write_tagged_archive("utils.pak", utils);
}

}  // namespace lunabrelle::test
