#include "resources/pack.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using lunabrelle::test::TempFolder;

// An archive file's bytes, entry by entry.
struct ArchiveBytes {
    Bytes bytes;
    void le32(std::int32_t value) {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(std::uint32_t(value) >> shift));
    }
    explicit ArchiveBytes(std::int32_t count) { le32(count); }
    ArchiveBytes& add(const std::string& name, const Bytes& data) {
        bytes.push_back(static_cast<unsigned char>(name.size()));
        bytes.insert(bytes.end(), name.begin(), name.end());
        le32(std::int32_t(data.size()));
        bytes.insert(bytes.end(), data.begin(), data.end());
        return *this;
    }
};

Bytes entry_bytes(const Pack& pack, const char* name) {
    const raw r = pack.getfile(name);
    return r.data == nullptr ? Bytes{} : Bytes(r.data, r.data + r.size);
}

// An empty name, an empty body, a repeated name, names differing in case.
const Bytes kMixed =
    ArchiveBytes(5).add("fon", {'A', 'B'}).add("", {'x'}).add("zero", {}).add("fon", {'C', 'D'}).add("Fon", {'E'}).bytes;

TEST(Pack, WritesTheDocumentedBytesAndReadsThemBack) {
    TempFolder dir;
    Pack built;
    Bytes ab = {0x41, 0x42};
    ASSERT_EQ(built.pushfile("fon", raw{ab.data(), 2}), 1);
    ab[0] = 'Z';  // the archive holds its own copy
    ASSERT_TRUE(built.save(dir.file("a.pak").c_str()));
    EXPECT_EQ(dir.read("a.pak"), (Bytes{1, 0, 0, 0, 3, 'f', 'o', 'n', 2, 0, 0, 0, 0x41, 0x42}));

    Bytes with_tail = kMixed;  // trailing bytes are dropped on saving
    with_tail.insert(with_tail.end(), {9, 9, 9});
    dir.write("in.pak", with_tail);
    Pack pack(dir.file("in.pak").c_str());
    ASSERT_TRUE(pack.save(dir.file("out.pak").c_str()));
    EXPECT_EQ(dir.read("out.pak"), kMixed);
    EXPECT_EQ(pack.texture_refs, std::vector<std::int32_t>(5, 0));
    // The first exact match.
    EXPECT_EQ(entry_bytes(pack, "fon"), (Bytes{'A', 'B'}));
    EXPECT_EQ(entry_bytes(pack, ""), (Bytes{'x'}));
    EXPECT_EQ(entry_bytes(pack, "Fon"), (Bytes{'E'}));
    EXPECT_NE(pack.getfile("zero").data, nullptr);
    for (const char* missing : {"FON", "fo", "fonx"}) EXPECT_EQ(pack.getfile(missing).data, nullptr) << missing;
}

TEST(Pack, RefusesEveryCutAndMalformedRecordsKeepingWhatItHeld) {
    TempFolder dir;
    dir.write("good.pak", kMixed);
    Pack pack;
    std::string error;
    ASSERT_TRUE(pack.read(dir.file("good.pak").c_str(), &error));
    std::vector<std::pair<Bytes, std::string>> bad;
    for (std::size_t cut = 0; cut < kMixed.size(); ++cut)
        bad.push_back({Bytes(kMixed.begin(), kMixed.begin() + std::ptrdiff_t(cut)), "bad.pak"});
    Bytes long_name = ArchiveBytes(1).bytes;
    long_name.push_back(0x80);  // name length -128
    long_name.resize(long_name.size() + 200, 'n');
    bad.push_back({long_name, "above 127"});
    Bytes negative = ArchiveBytes(1).add("a", {}).bytes;
    negative[6] = negative[7] = negative[8] = negative[9] = 0xff;
    bad.push_back({negative, "negative data size"});
    const Bytes three = ArchiveBytes(1).add("a", {1, 2, 3}).bytes;
    bad.push_back({Bytes(three.begin(), three.end() - 1), "runs past the end"});
    bad.push_back({ArchiveBytes(0x7fffffff).add("a", {1}).bytes, "entry count"});
    for (const auto& [bytes, fault] : bad) {
        dir.write("bad.pak", bytes);
        error.clear();
        EXPECT_FALSE(pack.read(dir.file("bad.pak").c_str(), &error)) << bytes.size();
        EXPECT_NE(error.find(fault), std::string::npos) << error;
    }
    EXPECT_EQ(entry_bytes(pack, "fon"), (Bytes{'A', 'B'}));
    for (std::int32_t count : {0, -1}) {  // an empty archive
        dir.write("empty.pak", ArchiveBytes(count).bytes);
        ASSERT_TRUE(pack.read(dir.file("empty.pak").c_str(), &error)) << error;
        EXPECT_TRUE(pack.names.empty());
    }
}

TEST(PackDeathTest, UnreadableArchiveEndsTheProcessWithStatusOne) {
    TempFolder dir;
    const std::string missing = dir.file("missing.pak"), bad = dir.file("bad.pak");
    EXPECT_EXIT(Pack pack(missing.c_str()), testing::ExitedWithCode(1), "missing\\.pak.*cannot open");
    dir.write("bad.pak", {5, 0, 0, 0, 1});
    EXPECT_EXIT(Pack pack(bad.c_str()), testing::ExitedWithCode(1), "bad\\.pak.*malformed");
}

TEST(PackBuilder, RefusesWhatCannotBeStoredOrWritten) {
    TempFolder dir;
    dir.write("a.pak", {1, 2, 3});
    Pack pack;
    std::string error;
    EXPECT_EQ(pack.pushfile(dir.file("none.png").c_str(), &error), 0);
    EXPECT_EQ(pack.pushfile(dir.path().c_str(), &error), 0);  // a folder
    EXPECT_EQ(pack.pushfile("x", raw{nullptr, 4}), 0);
    EXPECT_EQ(pack.pushfile("x", raw{nullptr, -1}), 0);
    EXPECT_TRUE(pack.names.empty() && pack.files.empty() && pack.textures.empty() && pack.texture_refs.empty());
    Bytes one = {1};
    pack.pushfile(std::string(127, 'n').c_str(), raw{one.data(), 1});
    ASSERT_TRUE(pack.save(dir.file("ok.pak").c_str()));
    EXPECT_EQ(Pack(dir.file("ok.pak").c_str()).names, pack.names);
    pack.pushfile(std::string(128, 'n').c_str(), raw{one.data(), 1});
    EXPECT_FALSE(pack.save(dir.file("a.pak").c_str(), &error));
    EXPECT_NE(error.find("longer than 127"), std::string::npos) << error;
    EXPECT_EQ(dir.read("a.pak"), (Bytes{1, 2, 3}));
}

TEST(PackBuilder, UnpackAllWritesEachEntryButNoneOutsideThePrefix) {
    TempFolder dir;
    Bytes abc = {'a', 'b', 'c'};
    Pack pack;
    pack.pushfile("deep/two", raw{abc.data(), 2});
    pack.pushfile("empty", raw{abc.data(), 0});
    pack.pushfile("../escape", raw{abc.data(), 3});
    pack.pushfile("last", raw{abc.data(), 1});
    std::filesystem::create_directory(dir.path() / "in");
    std::string error;
    EXPECT_FALSE(pack.unpack_all(dir.file("in/").c_str(), &error));
    EXPECT_NE(error.find("../escape"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "escape"));
    EXPECT_EQ(dir.read("in/deep/two"), (Bytes{'a', 'b'}));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "in/empty"));
    EXPECT_EQ(dir.read("in/last"), (Bytes{'a'}));
    EXPECT_FALSE(pack.unpack_all((dir.file("in/last") + "/").c_str(), &error));  // under a plain file
}

}  // namespace
