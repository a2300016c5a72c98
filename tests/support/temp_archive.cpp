#include "support/temp_archive.h"

#include <stdexcept>

#include "resources/media.h"
#include "resources/pack.h"

namespace lunabrelle::test {

ArchiveFolder::ArchiveFolder() { media.setpwd(folder.path().string() + "/"); }

ArchiveFolder::~ArchiveFolder() { media.setpwd("0"); }

void ArchiveFolder::add(const std::string& name, const ArchiveEntries& entries) const {
    Pack pack;
    for (const auto& [entry, bytes] : entries) {
        raw data{const_cast<std::uint8_t*>(bytes.data()), static_cast<std::int32_t>(bytes.size())};
        if (pack.pushfile(entry.c_str(), data) != 1) throw std::runtime_error("cannot add " + entry);
    }
    if (!pack.save(folder.file(name).c_str())) throw std::runtime_error("cannot write " + name);
}

}  // namespace lunabrelle::test
