#include "resources/decoder_guards.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdint>
#include <vector>

#include "resources/image_texture.h"
#include "resources/png_bytes.h"

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

// One Huffman-table segment holding one table with the given code counts;
// kind_and_slot 0x00 .. 0x03 are DC tables, 0x10 .. 0x13 AC tables.
Bytes table_segment(const std::vector<unsigned char>& counts, unsigned char kind_and_slot = 0x00) {
    std::size_t codes = 0;
    for (unsigned char c : counts) codes += c;
    const std::size_t length = 2 + 17 + codes;
    Bytes out{0xFF, 0xC4, static_cast<unsigned char>(length >> 8), static_cast<unsigned char>(length),
              kind_and_slot};
    for (std::size_t i = 0; i < 16; ++i) out.push_back(i < counts.size() ? counts[i] : 0);
    out.insert(out.end(), codes, 0x01);
    return out;
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

bool fit(const Bytes& b) { return jpeg_huffman_tables_sound(b.data(), b.size()); }

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
    EXPECT_TRUE(jpeg_huffman_tables_sound(nullptr, 0));
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

namespace {

const std::vector<unsigned char> kOneCode{1};

// A frame header (baseline or progressive) of one 8 x 8 component, id 1.
Bytes frame(bool progressive) {
    return {0xFF, static_cast<unsigned char>(progressive ? 0xC2 : 0xC0), 0x00, 0x0B, 8, 0, 8, 0, 8, 1, 1, 0x11, 0};
}

// A scan header of component 1 with the given DC and AC table slots and
// spectral range, then one byte of data.
Bytes scan(unsigned char dc, unsigned char ac, unsigned char start, unsigned char end, unsigned char pass = 0) {
    return {0xFF, 0xDA, 0x00, 0x08, 1, 1, static_cast<unsigned char>(dc << 4 | ac), start, end, pass, 0x12};
}

}  // namespace

TEST(JpegTables, RefusesScansDecodingWithTablesNeverDefined) {
    const Bytes dc0 = table_segment(kOneCode, 0x00), ac0 = table_segment(kOneCode, 0x10);
    const Bytes ac1 = table_segment(kOneCode, 0x11);
    // Baseline scans use both of their tables.
    EXPECT_TRUE(fit(join({kStart, frame(false), dc0, ac0, scan(0, 0, 0, 63), kEnd})));
    EXPECT_FALSE(fit(join({kStart, frame(false), dc0, scan(0, 0, 0, 63), kEnd})));
    EXPECT_FALSE(fit(join({kStart, frame(false), dc0, ac1, scan(0, 0, 0, 63), kEnd})));
    // Defined after the scan is too late.
    EXPECT_FALSE(fit(join({kStart, frame(false), dc0, scan(0, 0, 0, 63), ac0, kEnd})));
    // Progressive: a first DC pass needs only its DC table, a later one none,
    // an AC scan only its AC table.
    EXPECT_TRUE(fit(join({kStart, frame(true), dc0, scan(0, 3, 0, 0), kEnd})));
    EXPECT_TRUE(fit(join({kStart, frame(true), scan(2, 0, 0, 0, 0x10), kEnd})));
    EXPECT_FALSE(fit(join({kStart, frame(true), scan(1, 0, 0, 0), kEnd})));
    EXPECT_TRUE(fit(join({kStart, frame(true), dc0, scan(0, 0, 0, 0), ac1, scan(3, 1, 1, 63), kEnd})));
    EXPECT_FALSE(fit(join({kStart, frame(true), dc0, ac1, scan(0, 0, 1, 63), kEnd})));
}

namespace {

bool png_fits(const Bytes& b) { return png_chunks_fit(b.data(), b.size()); }

// Where the length of the image data chunk lies: after the signature and the
// header chunk.
constexpr std::size_t kIdatAt = 8 + 25;

}  // namespace

TEST(PngChunks, AcceptsWholePngsAndWhatIsNoPng) {
    const Bytes png = lunabrelle::test::make_png(2, 2, 8, lunabrelle::test::kRgb, Bytes(12, 40));
    EXPECT_TRUE(png_fits(png));
    // Cut after the end chunk's type: the decoder never reads its check value.
    EXPECT_TRUE(png_fits(Bytes(png.begin(), png.end() - 4)));
    // Anything after the end chunk is never read.
    EXPECT_TRUE(png_fits(join({png, Bytes{0x7F, 0xFF, 0xFF, 0xFF, 'z', 'z', 'z', 'z'}})));
    EXPECT_TRUE(png_fits(Bytes{0x89, 'P', 'N', 'G'}));
    EXPECT_TRUE(png_fits(Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(PngChunks, RefusesAChunkLongerThanWhatFollowsIt) {
    const Bytes png = lunabrelle::test::make_png(2, 2, 8, lunabrelle::test::kRgb, Bytes(12, 40));
    Bytes huge = png;
    // The image data chunk claims 1.5 GiB.
    huge[kIdatAt] = 0x60;
    EXPECT_FALSE(png_fits(huge));
    DecodedImage image;
    EXPECT_FALSE(decode_image(huge.data(), std::int32_t(huge.size()), &image));
    // The 25 data bytes, their check value and the 12-byte end chunk follow
    // the header: a length of 41 stays inside the file, 42 does not.
    Bytes longer = png;
    longer[kIdatAt + 3] = 41;
    EXPECT_TRUE(png_fits(longer));
    longer[kIdatAt + 3] = 42;
    EXPECT_FALSE(png_fits(longer));
    // Cut inside the image data.
    EXPECT_FALSE(png_fits(Bytes(png.begin(), png.begin() + kIdatAt + 12)));
}
