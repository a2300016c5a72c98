// Encoding of painted images into the file formats archives hold.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace kit {

// PNG with alpha: decodes as a 32-bit RGBA image.
std::vector<std::uint8_t> encode_png(const Image& image);

// PNG without alpha: decodes as a 24-bit RGB image.
std::vector<std::uint8_t> encode_png_rgb(const Image& image);

// Baseline JPEG (alpha dropped), quality 1..100; for large opaque pictures.
std::vector<std::uint8_t> encode_jpeg(const Image& image, int quality);

}  // namespace kit
