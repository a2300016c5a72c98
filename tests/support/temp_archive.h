// Archives written to a temporary folder that the archive registry is pointed
// at for the life of the object.
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

}  // namespace lunabrelle::test
