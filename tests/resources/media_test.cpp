#include "resources/media.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "resources/png_bytes.h"
#include "support/gl_test.h"
#include "support/temp_folder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using lunabrelle::test::TempFolder;

// An archive file holding the given entries.
Bytes archive(const std::vector<std::pair<std::string, Bytes>>& entries) {
    Bytes out = {static_cast<unsigned char>(entries.size()), 0, 0, 0};
    for (const auto& [name, data] : entries) {
        out.push_back(static_cast<unsigned char>(name.size()));
        out.insert(out.end(), name.begin(), name.end());
        out.insert(out.end(), {static_cast<unsigned char>(data.size()), 0, 0, 0});
        out.insert(out.end(), data.begin(), data.end());
    }
    return out;
}

// Runs the test body inside the folder, going back to where it was after.
class InFolder {
public:
    explicit InFolder(const std::filesystem::path& folder) : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~InFolder() { std::filesystem::current_path(old_); }

private:
    std::filesystem::path old_;
};

TEST(Media, NoPrefixOpensRelativeToTheWorkingFolder) {
    TempFolder dir;
    dir.write("main.pak", archive({{"fon", {1, 2}}}));
    InFolder in(dir.path());
    for (const char* pwd : {"0", "0/not/used/"}) {
        Media media;
        media.setpwd(pwd);
        raw fon = media.get("main.pak", "fon");
        EXPECT_EQ(fon.size, 2);
        EXPECT_EQ(media.names, std::vector<std::string>{"main.pak"});
    }
}

TEST(Media, PrefixIsPutBeforeTheNameButTheKeyStaysTheName) {
    TempFolder dir;
    dir.write("main.pak", archive({{"fon", {1, 2}}}));
    Media media;
    media.setpwd(dir.path().string() + "/");
    EXPECT_EQ(media.get("main.pak", "fon").size, 2);
    EXPECT_EQ(media.names, std::vector<std::string>{"main.pak"});
}

TEST(Media, SharesOneOpeningAndClosesWithTheLastReference) {
    TempFolder dir;
    dir.write("a.pak", archive({{"x", {1}}}));
    Media media;
    media.setpwd(dir.path().string() + "/");
    raw first = media.get("a.pak", "x");
    // The second get must not touch the file.
    std::filesystem::remove(dir.path() / "a.pak");
    raw second = media.get("a.pak", "x");
    EXPECT_EQ(first.data, second.data);
    EXPECT_EQ(media.refs, std::vector<std::int32_t>{2});

    raw missing = media.get("a.pak", "nothing");
    EXPECT_EQ(missing.data, nullptr);
    EXPECT_EQ(media.refs, std::vector<std::int32_t>{3});

    media.unget("a.pak");
    media.unget("a.pak");
    EXPECT_EQ(media.refs, std::vector<std::int32_t>{1});
    media.unget("a.pak");
    EXPECT_TRUE(media.names.empty());
    EXPECT_TRUE(media.packs.empty());
    media.unget("a.pak");  // already closed
    media.unget("never.pak");
    EXPECT_TRUE(media.refs.empty());
}

TEST(Media, ClosingInTheMiddleKeepsTheOthersInOrder) {
    TempFolder dir;
    for (const char* name : {"a.pak", "b.pak", "c.pak"}) dir.write(name, archive({}));
    Media media;
    media.setpwd(dir.path().string() + "/");
    Pack* a = media.loadpack("a.pak");
    media.loadpack("b.pak");
    Pack* c = media.loadpack("c.pak");
    media.loadpack("c.pak");
    media.unget("b.pak");
    EXPECT_EQ(media.names, (std::vector<std::string>{"a.pak", "c.pak"}));
    EXPECT_EQ(media.packs, (std::vector<Pack*>{a, c}));
    EXPECT_EQ(media.refs, (std::vector<std::int32_t>{1, 2}));
}

TEST(MediaDeathTest, MissingArchiveEndsTheProcessNamingItsPath) {
    TempFolder dir;
    Media media;
    media.setpwd(dir.path().string() + "/res/");
    EXPECT_EXIT(media.loadpack("clock.pak"), testing::ExitedWithCode(1), "res/clock\\.pak");
}

class MediaImages : public lunabrelle::test::GlTest {};

TEST_F(MediaImages, ImageReferenceHoldsTheArchiveOpen) {
    TempFolder dir;
    const Bytes png = lunabrelle::test::make_png(1, 1, 8, lunabrelle::test::kRgb, {1, 2, 3});
    dir.write("clock.pak", archive({{"ciferblat", png}, {"sec", {0}}}));
    Media media;
    media.setpwd(dir.path().string() + "/");
    const unsigned texture = media.getimage("clock.pak", "ciferblat");
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(media.getimage("clock.pak", "sec"), 0u);  // not an image, still counted
    EXPECT_EQ(media.refs, std::vector<std::int32_t>{2});

    media.ungetimage("other.pak", texture);  // not open: nothing happens
    EXPECT_TRUE(is_texture(texture));
    media.unget("clock.pak");
    media.ungetimage("clock.pak", texture);
    EXPECT_FALSE(is_texture(texture));
    EXPECT_TRUE(media.names.empty());
}

}  // namespace
