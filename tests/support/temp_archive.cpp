#include "support/temp_archive.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "resources/media.h"

namespace lunabrelle::test {

namespace {

template <typename T>
void put(std::ofstream& out, T value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.write(bytes, sizeof(T));
}

}  // namespace

void write_archive(const std::string& path, const ArchiveEntries& entries) {
    std::ofstream out(path, std::ios::binary);
    put(out, static_cast<std::int32_t>(entries.size()));
    for (const auto& [name, bytes] : entries) {
        put(out, static_cast<std::int8_t>(name.size()));
        out.write(name.data(), static_cast<std::streamsize>(name.size()));
        put(out, static_cast<std::int32_t>(bytes.size()));
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    if (!out) throw std::runtime_error("cannot write " + path);
}

ArchiveFolder::ArchiveFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lunabrelle-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    path = pattern;
    media.setpwd(path + "/");
}

ArchiveFolder::~ArchiveFolder() {
    media.setpwd("0");
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

void ArchiveFolder::add(const std::string& name, const ArchiveEntries& entries) const {
    write_archive(path + "/" + name, entries);
}

}  // namespace lunabrelle::test
