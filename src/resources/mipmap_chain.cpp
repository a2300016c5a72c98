#include "resources/mipmap_chain.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The 2 x 2 blocks of one pair of rows, C channels a texel. With C fixed the
// compiler unrolls and vectorises the inner loop.
template <std::size_t C>
void halve_rows(const std::uint8_t* top, const std::uint8_t* bottom, std::uint8_t* to,
                std::size_t new_width) {
    for (std::size_t x = 0; x < new_width; ++x, top += 2 * C, bottom += 2 * C, to += C)
        for (std::size_t c = 0; c < C; ++c)
            to[c] = std::uint8_t((unsigned(top[c]) + top[c + C] + bottom[c] + bottom[c + C] + 2) / 4);
}

template <std::size_t C>
void halve_line(const std::uint8_t* in, std::uint8_t* to, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i, in += 2 * C, to += C)
        for (std::size_t c = 0; c < C; ++c) to[c] = std::uint8_t((unsigned(in[c]) + in[c + C]) / 2);
}

}  // namespace

void halve_image(DecodedImage* image) {
    const std::size_t channels = std::size_t(image->bits_per_pixel / 8);
    const std::size_t width = std::size_t(image->width), height = std::size_t(image->height);
    const std::size_t new_width = width > 1 ? width / 2 : 1;
    const std::size_t new_height = height > 1 ? height / 2 : 1;
    const std::uint8_t* in = image->pixels.data();
    std::vector<std::uint8_t> out(new_width * new_height * channels);
    const bool rgb = channels == 3;

    if (width > 1 && height > 1) {
        const std::size_t row = width * channels;
        for (std::size_t y = 0; y < new_height; ++y) {
            const std::uint8_t* top = in + 2 * y * row;
            std::uint8_t* to = out.data() + y * new_width * channels;
            if (rgb)
                halve_rows<3>(top, top + row, to, new_width);
            else
                halve_rows<4>(top, top + row, to, new_width);
        }
    } else if (rgb) {
        // A single row or column: neighbours are adjacent in memory either way.
        halve_line<3>(in, out.data(), new_width * new_height);
    } else {
        halve_line<4>(in, out.data(), new_width * new_height);
    }
    image->width = int(new_width);
    image->height = int(new_height);
    image->pixels = std::move(out);
}

void upload_mipmap_chain(DecodedImage* image) {
    const GLenum format = image->bits_per_pixel == 24 ? GL_RGB : GL_RGBA;
    for (int level = 0;; ++level) {
        glTexImage2D(GL_TEXTURE_2D, level, GLint(format), image->width, image->height, 0, format,
                     GL_UNSIGNED_BYTE, image->pixels.data());
        if (image->width == 1 && image->height == 1) return;
        halve_image(image);
    }
}
