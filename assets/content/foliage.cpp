#include "foliage.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "kit/noise.h"
#include "kit/paint.h"
#include "kit/rng.h"
#include "petal.h"

namespace content {

namespace {

using kit::hex;
using kit::mix;
using kit::Rgba;
using kit::Vec2;

constexpr double kPi = std::numbers::pi;

Rgba grass_green(kit::Rng& rng) {
    const Rgba greens[] = {hex(0x4f8a2a), hex(0x6aa336), hex(0x3f7426), hex(0x86b545), hex(0x5c9a3a)};
    return kit::shade(greens[rng.below(5)], rng.range(0.85, 1.15));
}

// Blades of grass are drawn as single triangles, each textured from one
// band of this strip: a green (or, in the last band, straw) darkening
// towards the base at the bottom row, with a lighter midrib.
void paint_blade_strip(kit::Image& image, std::uint64_t seed) {
    kit::Rng rng(seed);
    constexpr int kBands = 8;
    Rgba bands[kBands];
    for (int i = 0; i + 1 < kBands; ++i) bands[i] = grass_green(rng);
    bands[kBands - 1] = hex(0xb9a86a);
    const double band_width = double(image.width) / kBands;
    kit::paint(image, [&](double x, double y) {
        const int band = std::min(kBands - 1, static_cast<int>(x / band_width));
        const double s = (x - band * band_width) / band_width * 2.0 - 1.0;  // -1 .. 1 across the band
        const double t = 1.0 - y / image.height;                               // 0 base .. 1 tip
        Rgba c = kit::shade(bands[band], 0.6 + 0.45 * t);
        c = mix(c, hex(0xd8f0a0), 0.25 * std::exp(-s * s / 0.05) * (0.3 + 0.7 * t));
        return c;
    });
}

void paint_leaf(kit::Image& image, bool broad) {
    const double w = image.width, h = image.height;
    const Vec2 base{w * 0.5, h - 2.0};
    PetalShape leaf;
    leaf.angle = -kPi * 0.5;
    leaf.r0 = 0.0;
    leaf.r1 = h - 4.0;
    const double half = w * (broad ? 0.45 : 0.3);
    leaf.half_width = [half, broad](double t) {
        const double body = std::sin(kPi * std::pow(t, broad ? 0.75 : 0.6));
        return half * body * (0.15 + 0.85 * kit::smoothstep(0.0, 0.15, t));
    };
    const kit::ValueNoise mottle{broad ? 91u : 90u};
    paint_petal(image, base, leaf, [&](double t, double s) {
        Rgba col = mix(hex(0x3d7a26), hex(0x6ea83c), 0.5 + 0.5 * s * 0.6);
        col = kit::shade(col, 0.9 + 0.2 * kit::fbm(mottle, s * 3.0, t * 8.0, 3));
        // Midrib and side veins, slanting towards the tip.
        const double rib = std::exp(-std::pow(s / 0.06, 2.0));
        const double side = std::pow(std::fabs(std::sin((t * 7.0 - std::fabs(s) * 1.2) * kPi)), 16.0);
        col = mix(col, hex(0xb8dc86), 0.6 * rib + 0.18 * side * (1.0 - std::fabs(s)));
        return kit::shade(col, 0.85 + 0.15 * (1.0 - std::fabs(s)));
    });
}

void paint_trefoil(kit::Image& image) {
    const Vec2 c{image.width * 0.5, image.height * 0.5};
    const double R = image.width * 0.47;
    for (int i = 0; i < 3; ++i) {
        PetalShape leaflet;
        leaflet.angle = -kPi * 0.5 + i * 2.0 * kPi / 3.0;
        leaflet.r0 = 0.0;
        leaflet.r1 = R;
        leaflet.half_width = [R](double t) { return R * 0.42 * std::sin(kPi * std::pow(t, 0.65)); };
        paint_petal(image, c, leaflet, [](double t, double s) {
            Rgba col = mix(hex(0x3f7f2c), hex(0x5c9c3c), t);
            // The pale chevron clover leaves carry.
            const double chevron = std::exp(-std::pow((t - 0.55 + std::fabs(s) * 0.25) / 0.07, 2.0));
            col = mix(col, hex(0xc6e0a8), 0.55 * chevron);
            return kit::shade(col, 0.9 + 0.1 * (1.0 - std::fabs(s)));
        });
    }
}

void paint_stem(kit::Image& image) {
    kit::paint(image, [&](double x, double y) {
        const double s = x / image.width * 2.0 - 1.0;
        const double round = std::sqrt(std::max(0.0, 1.0 - s * s));
        Rgba col = mix(hex(0x2f5e1e), hex(0x7fb04a), round);
        const double streak = 0.95 + 0.05 * std::sin(y * 0.7 + s * 3.0);
        return kit::shade(col, streak);
    });
}

}  // namespace

kit::Image paint_foliage(Foliage kind, int width, int height) {
    kit::Image image(width, height);
    switch (kind) {
        case Foliage::grass_tall: paint_blade_strip(image, 1); return image;
        case Foliage::grass_short: paint_blade_strip(image, 2); return image;
        case Foliage::leaf_lance: paint_leaf(image, false); break;
        case Foliage::leaf_broad: paint_leaf(image, true); break;
        case Foliage::trefoil: paint_trefoil(image); break;
        case Foliage::stem: paint_stem(image); return image;
    }
    kit::bleed_edges(image, 6);
    return image;
}

}  // namespace content
