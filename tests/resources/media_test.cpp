// The archive registry: archives opened once, shared and closed with their
// last reference; image textures shared per entry, holding their archive open.
#include "resources/media.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "resources/pack.h"
#include "support/gl_test.h"
#include "support/image_bytes.h"
#include "support/temp_archive.h"

namespace {

using namespace lunabrelle::test;

using MediaRegistry = GlTest;

TEST_F(MediaRegistry, OpensOnceFromThePrefixSharesArchivesAndTexturesAndClosesWithTheLastReference) {
    ArchiveFolder archives;
    const Bytes png = make_png(1, 1, 3, {1, 2, 3});
    for (const char* name : {"a.pak", "b.pak"}) archives.add(name, {{"x", {1}}});
    archives.add("clock.pak", {{"face", png}, {"copy", png}, {"hand", {0}}});
    Media media;
    media.setpwd(archives.folder.path().string() + "/");
    const raw first = media.get("a.pak", "x");
    std::filesystem::remove(archives.folder.path() / "a.pak");  // a second get must not open it again
    EXPECT_EQ(media.get("a.pak", "x").data, first.data);
    EXPECT_EQ(media.get("a.pak", "nothing").data, nullptr);  // counted all the same
    Pack* clock = media.loadpack("clock.pak");
    media.loadpack("b.pak");
    media.unget("b.pak");  // closing in the middle keeps the others in order
    EXPECT_EQ(media.names, (std::vector<std::string>{"a.pak", "clock.pak"}));
    EXPECT_EQ(media.packs[1], clock);
    EXPECT_EQ(media.refs, (std::vector<std::int32_t>{3, 1}));
    for (int i = 0; i < 4; ++i) media.unget("a.pak");  // the last once already closed
    media.unget("never.pak");
    EXPECT_EQ(media.names, std::vector<std::string>{"clock.pak"});

    // Image textures: one per entry, shared, each request holding the archive.
    const unsigned face = media.getimage("clock.pak", "face");
    ASSERT_NE(face, 0u);
    EXPECT_EQ(media.getimage("clock.pak", "face"), face);
    const unsigned copy = media.getimage("clock.pak", "copy");  // same bytes, own texture
    EXPECT_NE(copy, face);
    EXPECT_EQ(media.getimage("clock.pak", "hand"), 0u);  // no image: counted, tried again next time
    EXPECT_EQ(media.getimage("clock.pak", "none"), 0u);
    EXPECT_EQ(clock->texture_refs, (std::vector<std::int32_t>{2, 1, 1}));
    EXPECT_EQ(media.refs, std::vector<std::int32_t>{6});
    media.ungetimage("other.pak", face);  // not open: nothing happens
    for (unsigned name : {face, 0u, copy + 1000}) media.ungetimage("clock.pak", name);  // unknown names: nothing
    EXPECT_TRUE(is_texture(face));
    media.ungetimage("clock.pak", face);
    EXPECT_FALSE(is_texture(face));
    EXPECT_EQ(clock->textures[0], 0u);
    EXPECT_EQ(clock->texture_refs, (std::vector<std::int32_t>{0, 1, 1}));
    EXPECT_TRUE(is_texture(copy));
    media.ungetimage("clock.pak", copy);
    EXPECT_FALSE(is_texture(copy));
    media.unget("clock.pak");
    EXPECT_TRUE(media.names.empty());
}

}  // namespace
