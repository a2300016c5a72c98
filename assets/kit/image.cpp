#include "image.h"

#include <algorithm>
#include <cmath>

namespace kit {

namespace {

std::uint8_t to_byte(float v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Rgba hex(std::uint32_t rgb, float alpha) {
    return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, alpha};
}

Rgba mix(Rgba a, Rgba b, double t) {
    const float k = static_cast<float>(t);
    return {a.r + (b.r - a.r) * k, a.g + (b.g - a.g) * k, a.b + (b.b - a.b) * k, a.a + (b.a - a.a) * k};
}

Rgba shade(Rgba c, double k) {
    const float f = static_cast<float>(k);
    return {c.r * f, c.g * f, c.b * f, c.a};
}

Rgba with_alpha(Rgba c, double a) { return {c.r, c.g, c.b, static_cast<float>(a)}; }

Rgba over(Rgba top, Rgba bottom) {
    const float a = top.a + bottom.a * (1.0f - top.a);
    if (a <= 0.0f) return {};
    const float kb = bottom.a * (1.0f - top.a);
    return {(top.r * top.a + bottom.r * kb) / a, (top.g * top.a + bottom.g * kb) / a,
            (top.b * top.a + bottom.b * kb) / a, a};
}

Image::Image(int w, int h, Rgba fill) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * 4) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) put(x, y, fill);
}

Rgba Image::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {};
    const std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
    return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
}

void Image::put(int x, int y, Rgba c) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
    p[0] = to_byte(c.r);
    p[1] = to_byte(c.g);
    p[2] = to_byte(c.b);
    p[3] = to_byte(c.a);
}

void Image::blend(int x, int y, Rgba c) {
    if (c.a <= 0.0f) return;
    put(x, y, c.a >= 1.0f ? c : over(c, at(x, y)));
}

}  // namespace kit
