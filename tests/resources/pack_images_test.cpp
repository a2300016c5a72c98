#include <gtest/gtest.h>

#include <vector>

#include "resources/pack.h"
#include "resources/png_bytes.h"
#include "support/gl_test.h"

namespace {

using Bytes = std::vector<unsigned char>;

class PackImages : public lunabrelle::test::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        png_ = lunabrelle::test::make_png(2, 2, 8, lunabrelle::test::kRgba, Bytes(16, 200));
        const raw image{png_.data(), std::int32_t(png_.size())};
        pack_.pushfile("a", image);
        pack_.pushfile("copy_of_a", image);
        Bytes text = {'m', 'e', 's', 'h'};
        pack_.pushfile("mesh", raw{text.data(), 4});
    }

    Bytes png_;
    Pack pack_;
};

TEST_F(PackImages, SharesOneTextureUntilTheLastRelease) {
    const unsigned first = pack_.getimage("a");
    ASSERT_NE(first, 0u);
    EXPECT_EQ(pack_.getimage("a"), first);
    EXPECT_EQ(pack_.texture_refs[0], 2);

    pack_.ungetimage(first);
    EXPECT_TRUE(is_texture(first));
    EXPECT_EQ(pack_.texture_refs[0], 1);
    pack_.ungetimage(first);
    EXPECT_FALSE(is_texture(first));
    EXPECT_EQ(pack_.textures[0], 0u);
    EXPECT_EQ(pack_.texture_refs[0], 0);

    // Decoded anew, counted from 1 again.
    EXPECT_NE(pack_.getimage("a"), 0u);
    EXPECT_EQ(pack_.texture_refs[0], 1);
}

TEST_F(PackImages, SameBytesUnderTwoNamesGiveTwoTextures) {
    const unsigned a = pack_.getimage("a");
    const unsigned b = pack_.getimage("copy_of_a");
    EXPECT_NE(a, 0u);
    EXPECT_NE(b, 0u);
    EXPECT_NE(a, b);
}

TEST_F(PackImages, MissingAndUndecodableEntries) {
    EXPECT_EQ(pack_.getimage("nothing"), 0u);
    EXPECT_EQ(pack_.texture_refs, (std::vector<std::int32_t>{0, 0, 0}));

    // A failed decode counts a reference and is tried again next time.
    EXPECT_EQ(pack_.getimage("mesh"), 0u);
    EXPECT_EQ(pack_.getimage("mesh"), 0u);
    EXPECT_EQ(pack_.texture_refs[2], 2);
    EXPECT_EQ(pack_.textures[2], 0u);

    const unsigned a = pack_.getimage("a");
    pack_.ungetimage(0);
    pack_.ungetimage(a + 1000);
    EXPECT_EQ(pack_.texture_refs, (std::vector<std::int32_t>{1, 0, 2}));
    EXPECT_TRUE(is_texture(a));
}

}  // namespace
