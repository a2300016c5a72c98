// Archives: the byte layout, malformed and cut files, the builder and unpacking.
#include "resources/pack.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using lunabrelle::test::TempFolder;

Bytes entry_bytes(const Pack& pack, const char* name) {
    const raw r = pack.getfile(name);
    return r.data == nullptr ? Bytes{} : Bytes(r.data, r.data + r.size);
}

// Five entries (an int32 count, then per entry a name length byte, the name,
// an int32 data size and the data; little-endian): an empty name, an empty
// body, a repeated name, names differing in case.
const Bytes kMixed = {5, 0, 0, 0, 3, 'f', 'o', 'n', 2, 0, 0, 0, 'A', 'B', 0, 1, 0, 0, 0, 'x', 4, 'z', 'e', 'r', 'o',
                      0, 0, 0, 0, 3, 'f', 'o', 'n', 2, 0, 0, 0, 'C', 'D', 3, 'F', 'o', 'n', 1, 0, 0, 0, 'E'};

TEST(Pack, WritesTheDocumentedBytesReadsThemBackAndRefusesEveryCutAndMalformedRecordWithAReason) {
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
    // The first exact match.
    EXPECT_EQ((std::vector<Bytes>{entry_bytes(pack, "fon"), entry_bytes(pack, ""), entry_bytes(pack, "Fon")}),
              (std::vector<Bytes>{{'A', 'B'}, {'x'}, {'E'}}));
    EXPECT_NE(pack.getfile("zero").data, nullptr);
    for (const char* missing : {"FON", "fo", "fonx"}) EXPECT_EQ(pack.getfile(missing).data, nullptr) << missing;

    // Refused cuts and malformed records leave the Pack with what it held.
    std::string error;
    std::vector<std::pair<Bytes, std::string>> bad;
    for (std::size_t cut = 0; cut < kMixed.size(); ++cut) bad.push_back({Bytes(kMixed.begin(), kMixed.begin() + long(cut)), "bad.pak"});
    Bytes long_name = {1, 0, 0, 0, 0x80};  // name length -128
    long_name.resize(long_name.size() + 200, 'n');
    bad.insert(bad.end(), {{long_name, "above 127"},
                           {{1, 0, 0, 0, 1, 'a', 0xff, 0xff, 0xff, 0xff}, "negative data size"},
                           {{1, 0, 0, 0, 1, 'a', 3, 0, 0, 0, 1, 2}, "runs past the end"},
                           {{0xff, 0xff, 0xff, 0x7f, 1, 'a', 1, 0, 0, 0, 1}, "entry count"}});
    for (const auto& [bytes, fault] : bad) {
        dir.write("bad.pak", bytes);
        error.clear();
        EXPECT_FALSE(pack.read(dir.file("bad.pak").c_str(), &error)) << bytes.size();
        EXPECT_NE(error.find(fault), std::string::npos) << error;
    }
    EXPECT_EQ(entry_bytes(pack, "fon"), (Bytes{'A', 'B'}));
    for (const Bytes& empty : {Bytes{0, 0, 0, 0}, Bytes{0xff, 0xff, 0xff, 0xff}}) {  // count 0 or -1
        dir.write("empty.pak", empty);
        ASSERT_TRUE(pack.read(dir.file("empty.pak").c_str(), &error)) << error;
        EXPECT_TRUE(pack.names.empty());
    }
}

TEST(PackBuilder, RefusesWhatCannotBeStoredOrWrittenAndUnpacksNothingOutsideThePrefix) {
    TempFolder dir;
    dir.write("a.pak", {1, 2, 3});
    Pack pack;
    std::string error;
    EXPECT_EQ(pack.pushfile(dir.file("none.png").c_str(), &error) + pack.pushfile(dir.path().c_str(), &error) +
                  pack.pushfile("x", raw{nullptr, 4}) + pack.pushfile("x", raw{nullptr, -1}), 0);
    EXPECT_TRUE(pack.names.empty() && pack.files.empty() && pack.textures.empty() && pack.texture_refs.empty());
    Bytes abc = {'a', 'b', 'c'};
    pack.pushfile(std::string(127, 'n').c_str(), raw{abc.data(), 1});
    ASSERT_TRUE(pack.save(dir.file("ok.pak").c_str()));
    EXPECT_EQ(Pack(dir.file("ok.pak").c_str()).names, pack.names);
    pack.pushfile(std::string(128, 'n').c_str(), raw{abc.data(), 1});
    EXPECT_FALSE(pack.save(dir.file("a.pak").c_str(), &error));
    EXPECT_NE(error.find("longer than 127"), std::string::npos) << error;
    EXPECT_EQ(dir.read("a.pak"), (Bytes{1, 2, 3}));

    Pack tree;
    for (const auto& [name, size] : {std::pair{"deep/two", 2}, {"empty", 0}, {"../escape", 3}, {"last", 1}})
        tree.pushfile(name, raw{abc.data(), size});
    std::filesystem::create_directory(dir.path() / "in");
    EXPECT_FALSE(tree.unpack_all(dir.file("in/").c_str(), &error));
    EXPECT_NE(error.find("../escape"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "escape"));
    EXPECT_EQ((std::vector<Bytes>{dir.read("in/deep/two"), dir.read("in/empty"), dir.read("in/last")}),
              (std::vector<Bytes>{{'a', 'b'}, {}, {'a'}}));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "in/empty"));
    EXPECT_FALSE(tree.unpack_all((dir.file("in/last") + "/").c_str(), &error));  // under a plain file
}

}  // namespace
