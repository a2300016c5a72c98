// Archives written to a temporary folder, and the archive registry pointed at
// it for the life of the object.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lunabrelle::test {

using ArchiveEntries = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

// Writes an archive file: int32 count, then per entry int8 name length, the
// name, int32 size and the bytes.
void write_archive(const std::string& path, const ArchiveEntries& entries);

class ArchiveFolder {
public:
    ArchiveFolder();   // makes the folder and sets media's prefix to it
    ~ArchiveFolder();  // removes it and sets the prefix back to none
    ArchiveFolder(const ArchiveFolder&) = delete;
    ArchiveFolder& operator=(const ArchiveFolder&) = delete;

    // Writes name (e.g. "mesh.pak") into the folder.
    void add(const std::string& name, const ArchiveEntries& entries) const;

    std::string path;
};

}  // namespace lunabrelle::test
