#include "blur.h"

#include <vector>

namespace kit {

namespace {

// One box pass along a line of count values, step apart, from src to dst.
void box_line(const float* src, float* dst, int count, std::size_t step, int radius) {
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    float sum = 0.0f;
    auto value = [&](int i) { return i < 0 || i >= count ? 0.0f : src[static_cast<std::size_t>(i) * step]; };
    for (int i = -radius; i <= radius; ++i) sum += value(i);
    for (int i = 0; i < count; ++i) {
        dst[static_cast<std::size_t>(i) * step] = sum * scale;
        sum += value(i + radius + 1) - value(i - radius);
    }
}

}  // namespace

Mask blurred(const Mask& mask, int radius, int dx, int dy) {
    Mask a = mask;
    if (radius > 0) {
        Mask b(mask.width, mask.height);
        for (int pass = 0; pass < 3; ++pass) {
            for (int y = 0; y < a.height; ++y) {
                const std::size_t row = static_cast<std::size_t>(y) * a.width;
                box_line(&a.values[row], &b.values[row], a.width, 1, radius);
            }
            for (int x = 0; x < a.width; ++x)
                box_line(&b.values[x], &a.values[x], a.height, static_cast<std::size_t>(a.width), radius);
        }
    }
    if (dx == 0 && dy == 0) return a;
    Mask moved(a.width, a.height);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            moved.values[static_cast<std::size_t>(y) * a.width + x] = a.at(x - dx, y - dy);
    return moved;
}

}  // namespace kit
