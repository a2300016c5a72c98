// The contents of one resource archive as built in memory: named entries in
// the order they are written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace content {

struct ArchiveEntry {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

struct Archive {
    std::string name;  // file name in the resource folder, e.g. "main.pak"
    std::vector<ArchiveEntry> entries;
};

// The entry named name, or null.
const ArchiveEntry* find_entry(const Archive& archive, const std::string& name);

}  // namespace content
