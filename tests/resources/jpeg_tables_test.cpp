#include "resources/jpeg_tables.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdint>
#include <vector>

#include "resources/image_texture.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes real_jpeg() {
    Bytes rgb(8 * 8 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<unsigned char>(i * 7);
    Bytes out;
    stbi_write_jpg_to_func(
        [](void* context, void* data, int size) {
            auto* bytes = static_cast<const unsigned char*>(data);
            static_cast<Bytes*>(context)->insert(static_cast<Bytes*>(context)->end(), bytes, bytes + size);
        },
        &out, 8, 8, 3, rgb.data(), 90);
    return out;
}

// One Huffman-table segment holding one table with the given code counts.
Bytes table_segment(const std::vector<unsigned char>& counts) {
    std::size_t codes = 0;
    for (unsigned char c : counts) codes += c;
    const std::size_t length = 2 + 17 + codes;
    Bytes out{0xFF, 0xC4, static_cast<unsigned char>(length >> 8), static_cast<unsigned char>(length), 0x00};
    for (std::size_t i = 0; i < 16; ++i) out.push_back(i < counts.size() ? counts[i] : 0);
    out.insert(out.end(), codes, 0x01);
    return out;
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

bool fit(const Bytes& b) { return jpeg_huffman_tables_fit(b.data(), b.size()); }

const Bytes kStart{0xFF, 0xD8};
const Bytes kEnd{0xFF, 0xD9};
const std::vector<unsigned char> k256Codes{0, 0, 0, 0, 0, 0, 0, 0, 128, 128};
const std::vector<unsigned char> k257Codes{0, 0, 0, 0, 0, 0, 0, 0, 128, 129};

}  // namespace

TEST(JpegTables, AcceptsRealJpegsFullTablesAndWhatIsNoJpeg) {
    const Bytes jpeg = real_jpeg();
    EXPECT_TRUE(fit(jpeg));
    DecodedImage image;
    EXPECT_TRUE(decode_image(jpeg.data(), std::int32_t(jpeg.size()), &image));

    EXPECT_TRUE(fit(join({kStart, table_segment(k256Codes), kEnd})));
    EXPECT_TRUE(fit(Bytes{'B', 'M', 0xFF, 0xC4, 0x00, 0x13, 0x00, 0xFF, 0xFF}));
    EXPECT_TRUE(fit(Bytes{0xFF}));
    EXPECT_TRUE(jpeg_huffman_tables_fit(nullptr, 0));
}

TEST(JpegTables, RefusesATableOfMoreThan256CodesWhereverTheDecoderReadsIt) {
    const Bytes overlong = table_segment(k257Codes);
    EXPECT_FALSE(fit(join({kStart, overlong, kEnd})));
    // Fill bytes before the start of the image.
    EXPECT_FALSE(fit(join({Bytes{0xFF, 0xFF}, kStart, overlong})));
    // After junk and fill bytes between segments.
    EXPECT_FALSE(fit(join({kStart, Bytes{0x12, 0x34, 0xFF, 0xFF}, overlong})));
    // Cut short: the missing counts read as 0, the ones present already overrun.
    const Bytes cut = join({kStart, overlong});
    EXPECT_FALSE(fit(Bytes(cut.begin(), cut.begin() + 2 + 4 + 11)));
    // After a scan whose data holds stuffed zeros and restart markers.
    const Bytes scan{0xFF, 0xDA, 0x00, 0x02, 0x55, 0xFF, 0x00, 0x66, 0xFF, 0xD3, 0x77, 0xFF, 0xFF};
    EXPECT_FALSE(fit(join({kStart, table_segment(k256Codes), scan, overlong, kEnd})));
    // Refused before decoding: the image decoder never sees it.
    const Bytes jpeg = real_jpeg();
    const Bytes spliced = join({Bytes(jpeg.begin(), jpeg.begin() + 2), overlong, Bytes(jpeg.begin() + 2, jpeg.end())});
    DecodedImage image;
    EXPECT_FALSE(decode_image(spliced.data(), std::int32_t(spliced.size()), &image));
}

TEST(JpegTables, IgnoresTablesTheDecoderNeverReads) {
    const Bytes overlong = table_segment(k257Codes);
    // Inside an application segment's payload.
    Bytes app{0xFF, 0xE1, 0x00, static_cast<unsigned char>(2 + overlong.size())};
    EXPECT_TRUE(fit(join({kStart, app, overlong, kEnd})));
    // After the end of the image.
    EXPECT_TRUE(fit(join({kStart, kEnd, overlong})));
    // After a table segment whose tables overrun its length: the decoder stops there.
    Bytes short_length = table_segment(k256Codes);
    short_length[3] -= 1;
    EXPECT_TRUE(fit(join({kStart, short_length, overlong})));
}
