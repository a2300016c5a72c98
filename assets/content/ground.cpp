#include "ground.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "kit/noise.h"
#include "kit/paint.h"
#include "kit/rng.h"

namespace content {

namespace {

using kit::hex;
using kit::mix;
using kit::Rgba;
using kit::Vec2;

constexpr double kPi = std::numbers::pi;

}  // namespace

kit::Image paint_ground(int size) {
    kit::Image image(size, size);
    const kit::ValueNoise patches{41};
    const kit::ValueNoise fine{42};
    const double k = size / 1024.0;
    kit::paint(image, [&](double x, double y) {
        const double u = x / size, v = y / size;
        const double p = kit::fbm(patches, u * 7.0, v * 7.0, 4);
        const double f = kit::fbm(fine, u * 90.0, v * 90.0, 2);
        Rgba c = mix(hex(0x2d5a1c), hex(0x5d8f2e), kit::smoothstep(0.25, 0.75, p));
        c = mix(c, hex(0x6b5a34), 0.35 * kit::smoothstep(0.62, 0.8, 1.0 - p));  // bare earth
        return kit::shade(c, 0.85 + 0.3 * f);
    });
    // Blades seen from above: short strokes pointing every way, lighter ones
    // last so the top layer catches the light.
    kit::Rng rng(43);
    const int blades = static_cast<int>(26000 * k * k);
    for (int i = 0; i < blades; ++i) {
        const Vec2 from{rng.uniform() * size, rng.uniform() * size};
        const double a = rng.range(0.0, 2.0 * kPi);
        const double len = rng.range(6.0, 16.0) * k;
        const Vec2 to = from + Vec2{std::cos(a), std::sin(a)} * len;
        const double layer = double(i) / blades;
        const Rgba green = mix(hex(0x264f17), hex(0x8fbf4c), layer * rng.range(0.6, 1.0));
        const Vec2 path[] = {from, to};
        kit::paint_stroke(image, path, rng.range(1.6, 3.0) * k, 0.6 * k, 1.0, kit::with_alpha(green, 0.9));
    }
    // Fallen petals and tiny flowers in the grass.
    const Rgba specks[] = {hex(0xfdfbf2), hex(0xf6d43a), hex(0xe95aa0), hex(0x8c7ee0)};
    for (int i = 0; i < static_cast<int>(500 * k * k); ++i) {
        const Vec2 at{rng.uniform() * size, rng.uniform() * size};
        kit::paint_disc(image, at, rng.range(1.0, 2.2) * k, 1.0, specks[rng.below(4)]);
    }
    return image;
}

kit::Image paint_soil(int width, int height) {
    kit::Image image(width, height);
    const double period = 8.0;
    const kit::ValueNoise clods{51, static_cast<int>(period), 0};
    const kit::ValueNoise grain{52, static_cast<int>(period * 8), 0};
    kit::paint(image, [&](double x, double y) {
        const double u = x / width * period, v = y / height;
        const double c = kit::fbm(clods, u, v * 2.0, 4);
        const double g = kit::fbm(grain, u * 8.0, v * 16.0, 2);
        Rgba col = mix(hex(0x3a2817), hex(0x7a5836), kit::smoothstep(0.3, 0.8, c));
        col = kit::shade(col, (0.8 + 0.35 * g) * (1.0 - 0.45 * v));
        return col;
    });
    kit::Rng rng(53);
    // Pebbles, painted twice where they cross the seam so the strip wraps.
    for (int i = 0; i < 70; ++i) {
        const Vec2 at{rng.uniform() * width, rng.range(0.2, 0.95) * height};
        const Vec2 r{rng.range(2.0, 6.0), rng.range(1.5, 4.0)};
        const Rgba stone = mix(hex(0x8a8070), hex(0xc2b8a2), rng.uniform());
        for (double shift : {-double(width), 0.0, double(width)}) {
            kit::paint_ellipse(image, at + Vec2{shift, 0.0}, r, rng.range(-20.0, 20.0), 1.5, stone);
        }
    }
    // Roots, and the grass overhanging the rim.
    for (int i = 0; i < 40; ++i) {
        const double x0 = rng.uniform() * width;
        Vec2 path[4];
        for (int k = 0; k < 4; ++k)
            path[k] = {x0 + rng.range(-12.0, 12.0) * k, height * (0.15 + 0.22 * k) + rng.range(-4.0, 4.0)};
        kit::paint_stroke(image, path, 2.0, 0.8, 1.0, hex(0xb89a70, 0.7f));
    }
    for (int i = 0; i < width * 2; ++i) {
        const double x = rng.uniform() * width;
        const double len = rng.range(0.06, 0.3) * height;
        const Vec2 path[] = {{x, 0.0}, {x + rng.range(-5.0, 5.0), len}};
        const Rgba green = mix(hex(0x2f5f1c), hex(0x78ad3e), rng.uniform());
        kit::paint_stroke(image, path, rng.range(2.0, 3.5), 0.8, 1.0, green);
    }
    return image;
}

}  // namespace content
