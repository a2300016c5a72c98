// Every cut of an image file's pixel data is refused without reading past its
// last byte: the bytes end at an inaccessible page, so an over-read faults in
// any build.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/image_texture.h"
#include "resources/png_bytes.h"
#include "support/guarded_bytes.h"

namespace {

using namespace lunabrelle::test;

TEST(TruncatedImage, EveryCutIsRefusedWithoutReadingPastTheEnd) {
    const struct {
        const char* kind;
        std::vector<unsigned char> png;
    } files[] = {
        {"RGB", make_png(5, 3, 8, kRgb, std::vector<unsigned char>(5 * 3 * 3, 0x80))},
        {"RGBA", make_png(4, 3, 8, kRgba, std::vector<unsigned char>(4 * 3 * 4, 0x80))},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.kind);
        const GuardedBytes all(file.png);
        DecodedImage whole;
        ASSERT_TRUE(decode_image(all.data(), std::int32_t(all.size()), &whole));
        // Up to the end of the pixel data; without its closing IEND chunk
        // the general decoder may still take a file whose pixels are all there.
        for (std::size_t cut = 1; cut < file.png.size() - 12; ++cut) {
            SCOPED_TRACE("first " + std::to_string(cut) + " bytes");
            const GuardedBytes part({file.png.begin(), file.png.begin() + std::ptrdiff_t(cut)});
            DecodedImage image;
            EXPECT_FALSE(decode_image(part.data(), std::int32_t(part.size()), &image));
        }
    }
}

}  // namespace
