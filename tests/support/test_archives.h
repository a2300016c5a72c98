// The scene's archives for tests: every archive the scene opens, each entry a
// one-triangle mesh whose texture name "@<entry>" (an image no archive holds,
// so the mesh draws untextured) tells which entry a drawn Model came from.
#pragma once

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace lunabrelle::test {

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
