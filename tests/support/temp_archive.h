// Archives written to temporary folders: one the archive registry is pointed
// at for the life of the object, and one of the scene's archives.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_folder.h"

namespace lunabrelle::test {

using ArchiveEntries = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

// Writes an archive of the entries to path; a failure fails the test.
void write_archive(const std::string& path, const ArchiveEntries& entries);

class ArchiveFolder {
public:
    ArchiveFolder();   // sets media's prefix to the folder
    ~ArchiveFolder();  // sets the prefix back to none
    ArchiveFolder(const ArchiveFolder&) = delete;
    ArchiveFolder& operator=(const ArchiveFolder&) = delete;

    // Writes the archive name (e.g. "mesh.pak") into the folder.
    void add(const std::string& name, const ArchiveEntries& entries) const { write_archive(folder.file(name), entries); }

    TempFolder folder;
};

// The scene's archives for tests: every entry a one-triangle mesh whose
// texture name "@<entry>" (an image no archive holds, so the mesh draws
// untextured) tells which entry a drawn Model came from.
class TempArchiveFolder {
public:
    // Writes archive name holding one tagged mesh per entry name.
    void write_tagged_archive(const std::string& name, const std::vector<std::string>& entries) const;
    // "main.pak", "butterfly1.pak" .. "butterfly5.pak", "clock.pak",
    // "calendar.pak" and "utils.pak" with every entry the scene names.
    void write_scene_archives() const;

    TempFolder folder;
    const std::string path = folder.path().string();  // no trailing '/'
};

}  // namespace lunabrelle::test
