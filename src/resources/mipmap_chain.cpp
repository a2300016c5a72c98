#include "resources/mipmap_chain.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

void halve_image(DecodedImage* image) {
    const std::size_t channels = std::size_t(image->bits_per_pixel / 8);
    const std::size_t width = std::size_t(image->width), height = std::size_t(image->height);
    const std::size_t new_width = width > 1 ? width / 2 : 1;
    const std::size_t new_height = height > 1 ? height / 2 : 1;
    const std::uint8_t* in = image->pixels.data();
    std::vector<std::uint8_t> out(new_width * new_height * channels);
    std::uint8_t* to = out.data();

    if (width > 1 && height > 1) {
        const std::size_t row = width * channels;
        for (std::size_t y = 0; y < new_height; ++y) {
            const std::uint8_t* top = in + 2 * y * row;
            const std::uint8_t* bottom = top + row;
            for (std::size_t x = 0; x < new_width; ++x) {
                for (std::size_t c = 0; c < channels; ++c)
                    to[c] = std::uint8_t((unsigned(top[c]) + top[c + channels] + bottom[c] +
                                          bottom[c + channels] + 2) / 4);
                top += 2 * channels;
                bottom += 2 * channels;
                to += channels;
            }
        }
    } else {
        // A single row or column: neighbours are adjacent in memory either way.
        const std::size_t count = new_width * new_height;
        for (std::size_t i = 0; i < count; ++i) {
            for (std::size_t c = 0; c < channels; ++c)
                to[c] = std::uint8_t((unsigned(in[c]) + in[c + channels]) / 2);
            in += 2 * channels;
            to += channels;
        }
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
