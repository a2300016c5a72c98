#include "resources/pack.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using lunabrelle::test::TempFolder;

void put_le32(Bytes* out, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<unsigned char>(v >> shift));
}

// An archive file's bytes, entry by entry.
struct ArchiveBytes {
    Bytes bytes;
    explicit ArchiveBytes(std::int32_t count) { put_le32(&bytes, count); }
    ArchiveBytes& add(const std::string& name, const Bytes& data) {
        bytes.push_back(static_cast<unsigned char>(name.size()));
        bytes.insert(bytes.end(), name.begin(), name.end());
        put_le32(&bytes, std::int32_t(data.size()));
        bytes.insert(bytes.end(), data.begin(), data.end());
        return *this;
    }
};

Bytes entry_bytes(const Pack& pack, const char* name) {
    raw r = pack.getfile(name);
    return r.data == nullptr ? Bytes{} : Bytes(r.data, r.data + r.size);
}

// Entries with an empty name, an empty body, a repeated name and names that
// differ only in case.
const Bytes kMixed = ArchiveBytes(5)
                         .add("fon", {'A', 'B'})
                         .add("", {'x'})
                         .add("zero", {})
                         .add("fon", {'C', 'D'})
                         .add("Fon", {'E'})
                         .bytes;

TEST(Pack, OneEntryArchiveHasTheDocumentedBytes) {
    TempFolder dir;
    Pack pack;
    Bytes ab = {0x41, 0x42};
    ASSERT_EQ(pack.pushfile("fon", raw{ab.data(), 2}), 1);
    ab[0] = 'Z';  // the archive holds its own copy
    ASSERT_TRUE(pack.save(dir.file("a.pak").c_str()));
    const Bytes expected = {1, 0, 0, 0, 3, 'f', 'o', 'n', 2, 0, 0, 0, 0x41, 0x42};
    EXPECT_EQ(dir.read("a.pak"), expected);
}

TEST(Pack, LooksUpFirstExactMatch) {
    TempFolder dir;
    dir.write("a.pak", kMixed);
    Pack pack(dir.file("a.pak").c_str());
    ASSERT_EQ(pack.names.size(), 5u);
    EXPECT_EQ(pack.textures, std::vector<unsigned>(5, 0));
    EXPECT_EQ(pack.texture_refs, std::vector<std::int32_t>(5, 0));
    EXPECT_EQ(entry_bytes(pack, "fon"), (Bytes{'A', 'B'}));
    EXPECT_EQ(entry_bytes(pack, ""), (Bytes{'x'}));
    EXPECT_EQ(entry_bytes(pack, "Fon"), (Bytes{'E'}));
    raw zero = pack.getfile("zero");
    EXPECT_NE(zero.data, nullptr);
    EXPECT_EQ(zero.size, 0);
    for (const char* missing : {"FON", "fo", "fonx", "missing"}) {
        raw r = pack.getfile(missing);
        EXPECT_EQ(r.data, nullptr) << missing;
        EXPECT_EQ(r.size, 0) << missing;
    }
}

TEST(Pack, SaveReproducesWhatWasReadAndDropsTrailingBytes) {
    TempFolder dir;
    Bytes with_tail = kMixed;
    with_tail.insert(with_tail.end(), {9, 9, 9});
    dir.write("in.pak", with_tail);
    Pack pack(dir.file("in.pak").c_str());
    ASSERT_TRUE(pack.save(dir.file("out.pak").c_str()));
    EXPECT_EQ(dir.read("out.pak"), kMixed);
}

TEST(Pack, ZeroOrNegativeCountIsAnEmptyArchive) {
    TempFolder dir;
    for (std::int32_t count : {0, -1}) {
        dir.write("a.pak", ArchiveBytes(count).bytes);
        Pack pack;
        std::string error;
        ASSERT_TRUE(pack.read(dir.file("a.pak").c_str(), &error)) << error;
        EXPECT_TRUE(pack.names.empty());
        EXPECT_EQ(pack.getfile("").data, nullptr);
    }
}

TEST(Pack, EveryTruncationIsRejectedAndLeavesThePackAsItWas) {
    TempFolder dir;
    dir.write("good.pak", kMixed);
    Pack pack;
    std::string error;
    ASSERT_TRUE(pack.read(dir.file("good.pak").c_str(), &error));
    for (std::size_t length = 0; length < kMixed.size(); ++length) {
        dir.write("cut.pak", Bytes(kMixed.begin(), kMixed.begin() + std::ptrdiff_t(length)));
        error.clear();
        EXPECT_FALSE(pack.read(dir.file("cut.pak").c_str(), &error)) << length;
        EXPECT_NE(error.find("cut.pak"), std::string::npos) << error;
    }
    EXPECT_EQ(pack.names.size(), 5u);
    EXPECT_EQ(entry_bytes(pack, "fon"), (Bytes{'A', 'B'}));
}

TEST(Pack, RejectsMalformedRecords) {
    TempFolder dir;
    Bytes long_name = ArchiveBytes(1).bytes;
    long_name.push_back(0x80);  // name length -128
    long_name.resize(long_name.size() + 200, 'n');
    Bytes negative = ArchiveBytes(1).add("a", {}).bytes;
    negative[9] = 0xff;  // data size -1
    std::memset(&negative[6], 0xff, 3);
    const Bytes overlong_size = ArchiveBytes(1).add("a", {1, 2, 3}).bytes;
    Bytes short_by_one(overlong_size.begin(), overlong_size.end() - 1);
    const Bytes huge_count = ArchiveBytes(0x7fffffff).add("a", {1}).bytes;
    const std::pair<const Bytes*, const char*> cases[] = {{&long_name, "above 127"},
                                                          {&negative, "negative data size"},
                                                          {&short_by_one, "runs past the end"},
                                                          {&huge_count, "entry count"}};
    for (const auto& [bytes, fault] : cases) {
        dir.write("bad.pak", *bytes);
        Pack pack;
        std::string error;
        EXPECT_FALSE(pack.read(dir.file("bad.pak").c_str(), &error));
        EXPECT_NE(error.find(fault), std::string::npos) << error;
    }
}

TEST(PackDeathTest, UnreadableArchiveEndsTheProcessWithStatusOne) {
    TempFolder dir;
    const std::string missing = dir.file("missing.pak");
    EXPECT_EXIT(Pack pack(missing.c_str()), testing::ExitedWithCode(1), "missing\\.pak.*cannot open");
    dir.write("bad.pak", {5, 0, 0, 0, 1});
    const std::string bad = dir.file("bad.pak");
    EXPECT_EXIT(Pack pack(bad.c_str()), testing::ExitedWithCode(1), "bad\\.pak.*malformed");
}

TEST(PackBuilder, PushfileStoresTheWholePathAndRefusesUnreadableFiles) {
    TempFolder dir;
    std::filesystem::create_directory(dir.path() / "sub");
    dir.write("sub/wing.png", {7, 8, 9});
    Pack pack;
    const std::string path = dir.file("sub/wing.png");
    ASSERT_EQ(pack.pushfile(path.c_str()), 1);
    EXPECT_EQ(pack.names, std::vector<std::string>{path});
    EXPECT_EQ(entry_bytes(pack, path.c_str()), (Bytes{7, 8, 9}));

    std::string error;
    const std::string missing = dir.file("sub/none.png");
    EXPECT_EQ(pack.pushfile(missing.c_str(), &error), 0);
    EXPECT_EQ(pack.pushfile(dir.path().c_str(), &error), 0);  // a folder
    EXPECT_EQ(pack.pushfile("x", raw{nullptr, 4}), 0);
    EXPECT_EQ(pack.pushfile("x", raw{nullptr, -1}), 0);
    EXPECT_EQ(pack.names.size(), 1u);
    EXPECT_EQ(pack.files.size(), 1u);
    EXPECT_EQ(pack.textures.size(), 1u);
    EXPECT_EQ(pack.texture_refs.size(), 1u);
}

TEST(PackBuilder, SaveRefusesOverlongNamesWithoutTouchingTheFile) {
    TempFolder dir;
    dir.write("a.pak", {1, 2, 3});
    Pack pack;
    Bytes one = {1};
    pack.pushfile(std::string(127, 'n').c_str(), raw{one.data(), 1});
    ASSERT_TRUE(pack.save(dir.file("ok.pak").c_str()));
    Pack back(dir.file("ok.pak").c_str());
    EXPECT_EQ(back.names, pack.names);

    pack.pushfile(std::string(128, 'n').c_str(), raw{one.data(), 1});
    std::string error;
    EXPECT_FALSE(pack.save(dir.file("a.pak").c_str(), &error));
    EXPECT_NE(error.find("longer than 127"), std::string::npos) << error;
    EXPECT_EQ(dir.read("a.pak"), (Bytes{1, 2, 3}));
    EXPECT_FALSE(pack.save(dir.file("no/such/folder.pak").c_str(), &error));
}

TEST(PackBuilder, UnpackAllWritesEachEntryAndReportsFailures) {
    TempFolder dir;
    Bytes abc = {'a', 'b', 'c'};
    Pack pack;
    pack.pushfile("one", raw{abc.data(), 3});
    pack.pushfile("deep/two", raw{abc.data(), 2});
    pack.pushfile("empty", raw{abc.data(), 0});
    const std::string prefix = dir.file("out-");
    ASSERT_TRUE(pack.unpack_all(prefix.c_str()));
    EXPECT_EQ(dir.read("out-one"), abc);
    EXPECT_EQ(dir.read("out-deep/two"), (Bytes{'a', 'b'}));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "out-empty"));

    // A name climbing out of the prefix is refused; the others are written.
    pack.pushfile("../escape", raw{abc.data(), 3});
    pack.pushfile("last", raw{abc.data(), 1});
    std::filesystem::create_directory(dir.path() / "in");
    const std::string inner = dir.file("in/");
    std::string error;
    EXPECT_FALSE(pack.unpack_all(inner.c_str(), &error));
    EXPECT_NE(error.find("../escape"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "escape"));
    EXPECT_EQ(dir.read("in/last"), (Bytes{'a'}));

    // A prefix under a plain file cannot be written to at all.
    EXPECT_FALSE(pack.unpack_all((dir.file("out-one") + "/").c_str(), &error));
}

}  // namespace
