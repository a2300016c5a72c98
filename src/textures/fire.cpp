#include "textures/fire.h"

#include <cstdlib>
#include <cstring>
#include <utility>

fire_param::fire_param(int width_, int height) : width(width_), rows(height + 3) {
    const std::size_t cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(rows);
    current = new unsigned char[cells]();
    next = new unsigned char[cells]();
    ShadePalette(0, 64, 0, 0, 0, 0, 255, 51, 36, 140);
    ShadePalette(64, 96, 255, 51, 36, 140, 255, 189, 51, 255);
    ShadePalette(96, 128, 255, 189, 51, 255, 255, 237, 51, 255);
    ShadePalette(128, 196, 255, 237, 51, 255, 100, 100, 189, 255);
    ShadePalette(196, 255, 100, 100, 189, 255, 255, 231, 51, 255);
}

fire_param::~fire_param() {
    delete[] current;
    delete[] next;
}

void fire_param::ShadePalette(unsigned char start, unsigned char end, unsigned char r1,
                              unsigned char g1, unsigned char b1, unsigned char a1,
                              unsigned char r2, unsigned char g2, unsigned char b2,
                              unsigned char a2) {
    const unsigned char from[4] = {r1, g1, b1, a1};
    const unsigned char to[4] = {r2, g2, b2, a2};
    const double span = static_cast<double>(end - start);
    for (unsigned char i = start; i < end; ++i) {
        const double step = i - start;
        for (int c = 0; c < 4; ++c) {
            const double a = from[c];
            palette[i][c] = static_cast<unsigned char>(a + (to[c] - a) * step / span);
        }
    }
}

void fire(int, int width, int height, unsigned char* pixels, void* param) {
    auto* state = static_cast<fire_param*>(param);
    if (state == nullptr || pixels == nullptr || width != state->width ||
        height != state->rows - 3 || width < 1 || height < 2) {
        return;
    }
    unsigned char* const cur = state->current;
    unsigned char* const nxt = state->next;

    // Sparks below the image. The count is masked, not reduced, so a width
    // that is not a power of two only gets the bits of width - 1.
    const int sparks = std::rand() & (width - 1);
    for (int k = 0; k < sparks; ++k) {
        const int x = std::rand() % width;
        const int r = height + std::rand() % 3;
        cur[r * width + x] = static_cast<unsigned char>(std::rand());
    }
    // One spark in the lower half of the image.
    {
        const int x = std::rand() % width;
        const int r = height / 2 + std::rand() % (height / 2);
        cur[r * width + x] = static_cast<unsigned char>(std::rand());
    }

    // Each cell takes the mean of its two side neighbours and the three cells
    // under it in each of the next two rows, less one; the edges stay cold.
    // Only the image rows are written: the rows below keep their sparks.
    for (int r = 0; r < height; ++r) {
        const int row = r * width;
        nxt[row] = 0;
        nxt[row + width - 1] = 0;
        for (int x = 1; x < width - 1; ++x) {
            const int i = row + x;
            const int s = cur[i - 1] + cur[i + 1] + cur[i + width - 1] + cur[i + width] +
                          cur[i + width + 1] + cur[i + 2 * width - 1] + cur[i + 2 * width] +
                          cur[i + 2 * width + 1];
            int v = s / 8;
            if (v > 0) --v;
            nxt[i] = static_cast<unsigned char>(v);
        }
    }

    const int count = width * height;
    for (int i = 0; i < count; ++i) std::memcpy(pixels + 4 * i, state->palette[nxt[i]], 4);

    std::swap(state->current, state->next);
}

void delete_fire_param(void* param) { delete static_cast<fire_param*>(param); }
