#include "resources/decoder_guards.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <vector>

#include "resources/image_texture.h"
#include "resources/png_bytes.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes real_jpeg() {
    Bytes rgb(8 * 8 * 3), out;
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<unsigned char>(i * 7);
    stbi_write_jpg_to_func(
        [](void* o, void* data, int size) {
            static_cast<Bytes*>(o)->insert(static_cast<Bytes*>(o)->end(), static_cast<unsigned char*>(data),
                                           static_cast<unsigned char*>(data) + size);
        },
        &out, 8, 8, 3, rgb.data(), 90);
    return out;
}

// One Huffman-table segment of one table with the given code counts;
// kind_and_slot 0x00 .. 0x03 are DC tables, 0x10 .. 0x13 AC tables.
Bytes table(const Bytes& counts, unsigned char kind_and_slot = 0x00) {
    std::size_t codes = 0;
    for (unsigned char c : counts) codes += c;
    const std::size_t length = 2 + 17 + codes;
    Bytes out{0xFF, 0xC4, static_cast<unsigned char>(length >> 8), static_cast<unsigned char>(length), kind_and_slot};
    for (std::size_t i = 0; i < 16; ++i) out.push_back(i < counts.size() ? counts[i] : 0);
    out.insert(out.end(), codes, 0x01);
    return out;
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A frame header (baseline or progressive) of one 8 x 8 component, id 1.
Bytes frame(bool progressive) {
    return {0xFF, static_cast<unsigned char>(progressive ? 0xC2 : 0xC0), 0x00, 0x0B, 8, 0, 8, 0, 8, 1, 1, 0x11, 0};
}

// A scan of component 1 with the given DC and AC table slots and spectral
// range, then one byte of data.
Bytes scan(unsigned char dc, unsigned char ac, unsigned char start, unsigned char end, unsigned char pass = 0) {
    return {0xFF, 0xDA, 0x00, 0x08, 1, 1, static_cast<unsigned char>(dc << 4 | ac), start, end, pass, 0x12};
}

TEST(JpegTables, RefusesOverlongAndUndefinedTablesWhereTheDecoderReadsThem) {
    const Bytes soi{0xFF, 0xD8}, eoi{0xFF, 0xD9}, full = table({0, 0, 0, 0, 0, 0, 0, 0, 128, 128});
    const Bytes overlong = table({0, 0, 0, 0, 0, 0, 0, 0, 128, 129}), cut = join({soi, overlong});
    const Bytes dc0 = table({1}, 0x00), ac0 = table({1}, 0x10), ac1 = table({1}, 0x11);
    Bytes app{0xFF, 0xE1, 0x00, static_cast<unsigned char>(2 + overlong.size())};
    Bytes short_length = full;
    short_length[3] -= 1;  // its tables overrun it: the decoder stops there
    const Bytes scan_data{0xFF, 0xDA, 0x00, 0x02, 0x55, 0xFF, 0x00, 0x66, 0xFF, 0xD3, 0x77, 0xFF, 0xFF};
    const std::pair<Bytes, bool> cases[] = {
        {real_jpeg(), true},
        {join({soi, full, eoi}), true},
        {Bytes{'B', 'M', 0xFF, 0xC4, 0x00, 0x13, 0x00, 0xFF, 0xFF}, true},  // no JPEG
        {Bytes{0xFF}, true},
        {join({soi, overlong, eoi}), false},
        {join({Bytes{0xFF, 0xFF}, soi, overlong}), false},                   // fill bytes first
        {join({soi, Bytes{0x12, 0x34, 0xFF, 0xFF}, overlong}), false},      // junk between segments
        {Bytes(cut.begin(), cut.begin() + 17), false},                      // cut inside the counts
        {join({soi, full, scan_data, overlong, eoi}), false},               // after stuffed scan data
        {join({soi, app, overlong, eoi}), true},                            // inside a payload
        {join({soi, eoi, overlong}), true},                                 // after the end
        {join({soi, short_length, overlong}), true},
        // Baseline scans use both of their tables, defined before the scan.
        {join({soi, frame(false), dc0, ac0, scan(0, 0, 0, 63), eoi}), true},
        {join({soi, frame(false), dc0, scan(0, 0, 0, 63), eoi}), false},
        {join({soi, frame(false), dc0, ac1, scan(0, 0, 0, 63), eoi}), false},
        {join({soi, frame(false), dc0, scan(0, 0, 0, 63), ac0, eoi}), false},
        // Progressive: a first DC pass needs its DC table, a later one none,
        // an AC scan only its AC table.
        {join({soi, frame(true), dc0, scan(0, 3, 0, 0), eoi}), true},
        {join({soi, frame(true), scan(2, 0, 0, 0, 0x10), eoi}), true},
        {join({soi, frame(true), scan(1, 0, 0, 0), eoi}), false},
        {join({soi, frame(true), dc0, scan(0, 0, 0, 0), ac1, scan(3, 1, 1, 63), eoi}), true},
        {join({soi, frame(true), dc0, ac1, scan(0, 0, 1, 63), eoi}), false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(jpeg_huffman_tables_sound(cases[i].first.data(), cases[i].first.size()), cases[i].second) << i;
    EXPECT_TRUE(jpeg_huffman_tables_sound(nullptr, 0));
    // Refused before decoding: the image decoder never sees it.
    const Bytes jpeg = real_jpeg();
    DecodedImage image;
    EXPECT_TRUE(decode_image(jpeg.data(), std::int32_t(jpeg.size()), &image));
    const Bytes spliced = join({Bytes(jpeg.begin(), jpeg.begin() + 2), overlong, Bytes(jpeg.begin() + 2, jpeg.end())});
    EXPECT_FALSE(decode_image(spliced.data(), std::int32_t(spliced.size()), &image));
}

TEST(PngChunks, RefusesAChunkLongerThanWhatFollowsIt) {
    const Bytes png = lunabrelle::test::make_png(2, 2, 8, lunabrelle::test::kRgb, Bytes(12, 40));
    constexpr std::size_t idat = 8 + 25;  // the image data chunk's length
    auto with_length = [&](unsigned char high, unsigned char low) {
        Bytes b = png;
        b[idat] = high;
        b[idat + 3] = low;
        return b;
    };
    // 25 data bytes, their check value and the 12-byte end chunk follow the
    // header: a length of 41 stays inside the file, 42 does not.
    const std::pair<Bytes, bool> cases[] = {
        {png, true},
        {Bytes(png.begin(), png.end() - 4), true},  // the end chunk's check value is never read
        {join({png, Bytes{0x7F, 0xFF, 0xFF, 0xFF, 'z', 'z', 'z', 'z'}}), true},
        {Bytes{0x89, 'P', 'N', 'G'}, true},
        {Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, true},
        {with_length(0, 41), true},
        {with_length(0, 42), false},
        {with_length(0x60, 25), false},  // 1.5 GiB
        {Bytes(png.begin(), png.begin() + idat + 12), false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(png_chunks_fit(cases[i].first.data(), cases[i].first.size()), cases[i].second) << i;
    const Bytes huge = with_length(0x60, 25);
    DecodedImage image;
    EXPECT_FALSE(decode_image(huge.data(), std::int32_t(huge.size()), &image));
}

}  // namespace
