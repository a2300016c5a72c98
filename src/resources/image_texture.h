// Decoding of image entries (PNG, JPEG, BMP, TGA, GIF) into mipmapped GL
// textures. Only 8-bit RGB and RGBA images are accepted.
#pragma once

#include <cstdint>
#include <vector>

// Decoded pixels, top row first, tightly packed (no row padding).
struct DecodedImage {
    int width = 0;
    int height = 0;
    int bits_per_pixel = 0;  // 24 (RGB) or 32 (RGBA)
    std::vector<std::uint8_t> pixels;
};

// The most pixels an image may hold: 64 Mi (8192 x 8192, 256 MiB as RGBA), a
// memory budget far above any picture the archives carry. Larger images are
// refused before decoding, so a few header bytes cannot make the decoder fill,
// and the scaler walk, gigabytes. Sides are not limited here: the upload
// scales down what the driver's largest texture cannot hold.
constexpr std::int64_t kMaxImagePixels = std::int64_t{8192} * 8192;

// The most pixels any accepted format unpacks from one byte of its file:
// deflate's best ratio (1032 : 1) over 1-bit pixels. An image claiming more
// than this per byte of its entry is a forged header, refused before the
// decoder fills (and the scaler walks) pixels it never had.
constexpr std::int64_t kMaxPixelsPerByte = 8 * 1032;

// Whether an image of width x height pixels, read from count bytes, is within
// both the memory budget and what count bytes can hold.
constexpr bool image_size_plausible(std::int64_t width, std::int64_t height, std::int32_t count) {
    const std::int64_t pixels = width * height;
    return width > 0 && height > 0 && pixels <= kMaxImagePixels && pixels <= kMaxPixelsPerByte * count;
}

// Decodes count bytes. An RGB PNG with a colour key (tRNS) decodes as RGBA,
// keyed pixels transparent. Returns false for bytes that are not an image, for
// grey, grey + alpha and 16-bit images, for images that fail
// image_size_plausible, for JPEGs and PNGs that fail the checks of
// decoder_guards.h, and for count <= 0.
bool decode_image(const unsigned char* bytes, std::int32_t count, DecodedImage* out);

// Decodes and uploads as a mipmapped texture (GL_RGB or GL_RGBA, mag filter
// linear, min filter linear-mipmap-linear), left bound to GL_TEXTURE_2D. Sides
// that are not powers of two are first scaled to the nearest ones (ties up).
// Returns the texture name, 0 on failure (then no name is generated).
// Needs a current GL context; leaves the unpack alignment as it found it.
unsigned int mac_load_tex(const unsigned char* bytes, std::int32_t count);
