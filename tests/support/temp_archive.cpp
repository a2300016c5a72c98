#include "support/temp_archive.h"

#include <gtest/gtest.h>

#include "resources/media.h"
#include "resources/pack.h"

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

}  // namespace lunabrelle::test
