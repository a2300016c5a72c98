#include "support/test_archives.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "resources/pack.h"

namespace lunabrelle::test {
namespace {

template <class T>
void put(std::vector<unsigned char>& out, T value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    out.insert(out.end(), bytes, bytes + sizeof(T));
}

std::vector<std::string> numbered(const std::string& prefix, int first, int last) {
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i) names.push_back(prefix + std::to_string(i));
    return names;
}

}  // namespace

std::vector<unsigned char> tagged_mesh_entry(const std::string& texture) {
    std::vector<unsigned char> out;
    put<std::uint8_t>(out, 0);   // marker: no reserved field
    put<std::int32_t>(out, 1);   // one record
    put<std::int32_t>(out, static_cast<std::int32_t>(texture.size() + 1));
    out.insert(out.end(), texture.begin(), texture.end());
    out.push_back(0);
    out.insert(out.end(), 80, 0);  // header
    put<std::uint8_t>(out, 0);     // alpha test
    put<std::uint8_t>(out, 0);     // blend
    out.insert(out.end(), 2, 0);
    for (int colour = 0; colour < 3; ++colour)
        for (int c = 0; c < 4; ++c) put<float>(out, 1.0f);
    put<float>(out, 10.0f);  // shininess
    out.insert(out.end(), 4, 0);
    put<std::int32_t>(out, 1);  // one triangle
    out.push_back(0);
    const double vertices[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    for (double v : vertices) put<double>(out, v);
    for (int k = 0; k < 3; ++k) {
        put<double>(out, 0.0);
        put<double>(out, 0.0);
        put<double>(out, 1.0);
    }
    for (int k = 0; k < 6; ++k) put<double>(out, 0.0);
    return out;
}

std::string mesh_tag(const std::string& entry) { return "@" + entry; }

TempArchiveFolder::TempArchiveFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lunabrelle-archives-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr) << "cannot make a temporary folder";
    path = pattern;
}

TempArchiveFolder::~TempArchiveFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

void TempArchiveFolder::write_tagged_archive(const std::string& name,
                                             const std::vector<std::string>& entries) const {
    Pack pack;
    for (const std::string& entry : entries) {
        std::vector<unsigned char> bytes = tagged_mesh_entry(mesh_tag(entry));
        ASSERT_EQ(pack.pushfile(entry.c_str(), raw{bytes.data(), static_cast<std::int32_t>(bytes.size())}), 1);
    }
    ASSERT_TRUE(pack.save((path + "/" + name).c_str())) << name;
}

void TempArchiveFolder::write_scene_archives() const {
    write_tagged_archive("main.pak", {"fon", "flowers"});
    for (int i = 1; i <= 5; ++i)
        write_tagged_archive("butterfly" + std::to_string(i) + ".pak", {"brushko", "krilo"});

    std::vector<std::string> clock = numbered("", 0, 9);
    for (const char* e : {"podlozka", "podlozka_am", "dot", "am", "pm", "ciferblat", "sec", "min", "chas"})
        clock.push_back(e);
    write_tagged_archive("clock.pak", clock);

    std::vector<std::string> calendar = numbered("", 1, 31);
    for (const std::string& m : numbered("m", 1, 12)) calendar.push_back(m);
    for (const char* e : {"fon", "fon_rus", "day", "day_rus", "null", "sel"}) calendar.push_back(e);
    write_tagged_archive("calendar.pak", calendar);

    std::vector<std::string> utils = numbered("", 0, 9);
    utils.push_back("fps");
    write_tagged_archive("utils.pak", utils);
}

}  // namespace lunabrelle::test
