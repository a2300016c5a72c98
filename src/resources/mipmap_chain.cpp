#include "resources/mipmap_chain.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// Column sums of a pair of rows. Blocks of a fixed length let the compiler
// use vector instructions at the default optimisation level.
void add_rows(const std::uint8_t* __restrict top, const std::uint8_t* __restrict bottom,
              std::uint16_t* __restrict sums, std::size_t count) {
    constexpr std::size_t kBlock = 16;
    std::size_t i = 0;
    for (; i + kBlock <= count; i += kBlock)
        for (std::size_t k = 0; k < kBlock; ++k)
            sums[i + k] = std::uint16_t(top[i + k] + bottom[i + k]);
    for (; i < count; ++i) sums[i] = std::uint16_t(top[i] + bottom[i]);
}

// The 2 x 2 blocks of one pair of rows from their column sums, C channels a
// texel.
template <std::size_t C>
void halve_sums(const std::uint16_t* sums, std::uint8_t* to, std::size_t new_width) {
    for (std::size_t x = 0; x < new_width; ++x, sums += 2 * C, to += C)
        for (std::size_t c = 0; c < C; ++c) to[c] = std::uint8_t((sums[c] + sums[c + C] + 2) / 4);
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
        std::vector<std::uint16_t> sums(row);
        for (std::size_t y = 0; y < new_height; ++y) {
            const std::uint8_t* top = in + 2 * y * row;
            add_rows(top, top + row, sums.data(), row);
            std::uint8_t* to = out.data() + y * new_width * channels;
            if (rgb)
                halve_sums<3>(sums.data(), to, new_width);
            else
                halve_sums<4>(sums.data(), to, new_width);
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
