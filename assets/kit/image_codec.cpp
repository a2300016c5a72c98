#include "image_codec.h"

#include <stb_image_write.h>

namespace kit {

namespace {

void append_bytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

std::vector<std::uint8_t> rgb_only(const Image& image) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(image.width) * image.height * 3);
    for (std::size_t i = 0, n = rgb.size() / 3; i < n; ++i)
        for (int c = 0; c < 3; ++c) rgb[i * 3 + c] = image.pixels[i * 4 + c];
    return rgb;
}

}  // namespace

std::vector<std::uint8_t> encode_png(const Image& image) {
    std::vector<std::uint8_t> out;
    stbi_write_png_to_func(append_bytes, &out, image.width, image.height, 4, image.pixels.data(), image.width * 4);
    return out;
}

std::vector<std::uint8_t> encode_png_rgb(const Image& image) {
    const std::vector<std::uint8_t> rgb = rgb_only(image);
    std::vector<std::uint8_t> out;
    stbi_write_png_to_func(append_bytes, &out, image.width, image.height, 3, rgb.data(), image.width * 3);
    return out;
}

std::vector<std::uint8_t> encode_jpeg(const Image& image, int quality) {
    const std::vector<std::uint8_t> rgb = rgb_only(image);
    std::vector<std::uint8_t> out;
    stbi_write_jpg_to_func(append_bytes, &out, image.width, image.height, 3, rgb.data(), quality);
    return out;
}

}  // namespace kit
