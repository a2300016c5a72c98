#include "resources/image_texture.h"

#include <GL/gl.h>
#include <stb_image.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "resources/image_scale.h"
#include "resources/decoder_guards.h"
#include "resources/jpeg_decode.h"
#include "resources/mipmap_chain.h"
#include "resources/png_decode.h"

namespace {

struct StbiFree {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

// True when bytes are a PNG with a transparency chunk ("tRNS") before its
// image data. For an RGB image that chunk names a colour key, which the
// general decoder honours only when asked for four channels.
bool png_has_transparency_chunk(const unsigned char* bytes, std::size_t count) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (count < sizeof kSignature || std::memcmp(bytes, kSignature, sizeof kSignature) != 0)
        return false;
    // Each chunk: 4-byte big-endian length, 4-byte type, data, 4-byte check value.
    for (std::size_t at = sizeof kSignature; count - at >= 8;) {
        const std::size_t length = std::size_t(bytes[at]) << 24 | std::size_t(bytes[at + 1]) << 16 |
                                   std::size_t(bytes[at + 2]) << 8 | bytes[at + 3];
        const unsigned char* type = bytes + at + 4;
        if (std::memcmp(type, "tRNS", 4) == 0) return true;
        if (std::memcmp(type, "IDAT", 4) == 0) return false;
        // The chunk must end inside the file, so the next one starts no later than its end.
        const std::size_t rest = count - at - 8;
        if (rest < 4 || length > rest - 4) return false;
        at += 8 + length + 4;
    }
    return false;
}

}  // namespace

bool decode_image(const unsigned char* bytes, std::int32_t count, DecodedImage* out) {
    if (bytes == nullptr || count <= 0) return false;
    // Fields the general decoder trusts are checked here first.
    if (!jpeg_huffman_tables_sound(bytes, std::size_t(count)) || !png_chunks_fit(bytes, std::size_t(count)))
        return false;
    if (decode_plain_png(bytes, count, out) || decode_colour_jpeg(bytes, count, out)) return true;
    int width = 0, height = 0, channels = 0;
    // Look before decoding: grey and 16-bit images are refused, and accepted
    // images are decoded with their own channel count, never converted.
    if (!stbi_info_from_memory(bytes, count, &width, &height, &channels)) return false;
    if (channels != 3 && channels != 4) return false;
    if (channels == 3 && png_has_transparency_chunk(bytes, std::size_t(count))) channels = 4;
    if (!image_size_plausible(width, height, count)) return false;
    if (stbi_is_16_bit_from_memory(bytes, count)) return false;

    int channels_in_file = 0;
    std::unique_ptr<stbi_uc, StbiFree> pixels(
        stbi_load_from_memory(bytes, count, &width, &height, &channels_in_file, channels));
    if (!pixels || width <= 0 || height <= 0) return false;

    out->width = width;
    out->height = height;
    out->bits_per_pixel = channels * 8;
    const std::size_t size = std::size_t(width) * std::size_t(height) * std::size_t(channels);
    out->pixels.assign(pixels.get(), pixels.get() + size);
    return true;
}

unsigned int mac_load_tex(const unsigned char* bytes, std::int32_t count) {
    DecodedImage image;
    if (!decode_image(bytes, count, &image)) return 0;

    // Sides that are not powers of two go to the nearest powers of two here
    // (GLU's scaler loses the last row when only the width changes). Too
    // large a result is halved until it fits, as GLU does.
    GLint max_size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    int width = nearest_power_of_two(image.width), height = nearest_power_of_two(image.height);
    while ((width > max_size || height > max_size) && (width > 1 || height > 1)) {
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
    }
    scale_image(&image, width, height);

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // Rows are tightly packed; under the default alignment of 4 an RGB row
    // whose length is not a multiple of 4 would be read skewed and past the
    // buffer's end.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    upload_mipmap_chain(&image);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    return name;
}
