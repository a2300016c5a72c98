#include "archive.h"

namespace content {

const ArchiveEntry* find_entry(const Archive& archive, const std::string& name) {
    for (const ArchiveEntry& e : archive.entries)
        if (e.name == name) return &e;
    return nullptr;
}

}  // namespace content
