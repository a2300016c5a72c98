// Archives written to a temporary folder that the archive registry is pointed
// at for the life of the object.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "resources/media.h"
#include "resources/pack.h"
#include "support/temp_folder.h"

namespace lunabrelle::test {

using ArchiveEntries = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

// Writes an archive of the entries to path; a failure fails the test.
inline void write_archive(const std::string& path, const ArchiveEntries& entries) {
    Pack pack;
    for (const auto& [entry, bytes] : entries) {
        raw data{const_cast<std::uint8_t*>(bytes.data()), static_cast<std::int32_t>(bytes.size())};
        if (pack.pushfile(entry.c_str(), data) != 1) ADD_FAILURE() << "cannot add " << entry;
    }
    if (!pack.save(path.c_str())) ADD_FAILURE() << "cannot write " << path;
}

class ArchiveFolder {
public:
    ArchiveFolder() { media.setpwd(folder.path().string() + "/"); }  // media's prefix: the folder
    ~ArchiveFolder() { media.setpwd("0"); }                           // back to none

    // Writes the archive name (e.g. "mesh.pak") into the folder.
    void add(const std::string& name, const ArchiveEntries& entries) const { write_archive(folder.file(name), entries); }

    TempFolder folder;
};

}  // namespace lunabrelle::test
