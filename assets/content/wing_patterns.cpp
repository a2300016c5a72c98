#include "wing_patterns.h"

#include <algorithm>
#include <cmath>

#include "kit/paint.h"
#include "kit/rng.h"
#include "wings.h"

namespace content {

namespace {

using kit::hex;
using kit::mix;
using kit::Rgba;
using kit::Vec2;

Vec2 to_px(Vec2 p, int size) { return wing_to_pixel(p, size); }

// Points of the outline, spaced about step apart, pulled in by inset
// (wing units), from the outline's point start to end (fractions of its
// length, going the way the controls run).
std::vector<Vec2> along_margin(const std::vector<Vec2>& outline, double start, double end, double step,
                               double inset) {
    std::vector<double> run{0.0};
    for (std::size_t i = 1; i <= outline.size(); ++i)
        run.push_back(run.back() + length(outline[i % outline.size()] - outline[i - 1]));
    const double total = run.back();
    Vec2 centre{};
    for (const Vec2& p : outline) centre = centre + p;
    centre = centre * (1.0 / outline.size());
    std::vector<Vec2> out;
    for (double s = start * total; s <= end * total; s += step) {
        std::size_t i = 0;
        while (i + 1 < run.size() && run[i + 1] < s) ++i;
        const Vec2 a = outline[i % outline.size()], b = outline[(i + 1) % outline.size()];
        const double t = (s - run[i]) / std::max(run[i + 1] - run[i], 1e-9);
        const Vec2 p = a + (b - a) * t;
        Vec2 n{-(b - a).y, (b - a).x};
        n = n * (1.0 / std::max(length(n), 1e-9));
        if (dot(n, centre - p) < 0.0) n = n * -1.0;
        out.push_back(p + n * inset);
    }
    return out;
}

// A round eye: rings from the outside in, radii in wing units.
void paint_eye(kit::Image& image, Vec2 at, std::initializer_list<std::pair<double, Rgba>> rings, int size) {
    const double k = size / (2.0 * kWingReach);
    for (const auto& [r, c] : rings) kit::paint_disc(image, to_px(at, size), r * k, 1.5, c);
}

// Monarch-like: orange, black veins, a black border set with two rows of
// white dots, and a black tip with pale spots.
Species ember() {
    Species s;
    s.fore = {{{4.4, 0.5}, {6.0, 4.0}, {6.9, 9.0}, {7.0, 14.5}, {6.0, 19.2}, {3.8, 21.6}, {1.4, 21.6}, {-1.2, 19.0},
               {-3.0, 15.0}, {-4.0, 11.5}, {-4.0, 9.6}, {-2.8, 6.2}, {-0.6, 2.8}, {1.8, 0.8}},
              {3.0, 1.2}, 75.0, 165.0, 8};
    s.hind = {{{1.8, 0.6}, {1.4, 4.6}, {-0.2, 9.6}, {-2.8, 13.2}, {-6.0, 14.2}, {-8.8, 12.8}, {-10.4, 9.6},
               {-10.6, 6.0}, {-9.6, 2.8}, {-6.6, 0.8}, {-2.6, 0.3}},
              {0.8, 1.0}, 95.0, 185.0, 7};
    s.ground = [](const Spot& p) {
        Rgba c = mix(hex(0xd9620c), hex(0xf7a234), kit::smoothstep(0.1, 0.7, p.reach));
        if (p.fore) c = mix(c, hex(0x16100c), kit::smoothstep(0.72, 0.8, p.p.y / 21.6 + p.p.x / 60.0));
        return mix(c, hex(0x16100c), 1.0 - kit::smoothstep(0.9, 1.1, p.edge));
    };
    s.vein = hex(0x1a120d);
    s.vein_width = 0.42;
    s.marks = [s](kit::Image& img, bool fore, int size) {
        const double k = size / (2.0 * kWingReach);
        const auto outline = kit::closed_spline(fore ? s.fore.controls : s.hind.controls, 10);
        const double from = fore ? 0.3 : 0.1, to = fore ? 0.68 : 0.75;
        for (const Vec2& p : along_margin(outline, from, to, 0.9, 0.35))
            kit::paint_disc(img, to_px(p, size), 0.16 * k, 1.0, hex(0xf4efe4));
        for (const Vec2& p : along_margin(outline, from, to, 1.1, 0.75))
            kit::paint_disc(img, to_px(p, size), 0.13 * k, 1.0, hex(0xf4efe4, 0.9f));
        if (fore) {
            for (const Vec2& p : {Vec2{3.2, 18.6}, Vec2{2.0, 19.2}, Vec2{0.8, 18.4}, Vec2{4.4, 17.4}})
                kit::paint_disc(img, to_px(p, size), 0.32 * k, 1.0, hex(0xf9c074));
        }
    };
    return s;
}

// Swallowtail-like: cream with black bars, blue crescents and a red eye by
// the tail of the hindwing.
Species swallowtail() {
    Species s;
    s.fore = {{{4.4, 0.5}, {6.2, 4.5}, {7.2, 10.0}, {7.0, 15.5}, {5.8, 20.0}, {4.4, 21.8}, {2.6, 21.0}, {0.2, 17.5},
               {-2.2, 13.5}, {-3.6, 10.5}, {-3.2, 7.0}, {-1.2, 3.4}, {1.6, 0.8}},
              {3.0, 1.2}, 70.0, 160.0, 8};
    s.hind = {{{1.6, 0.6}, {1.2, 4.6}, {-0.6, 9.0}, {-2.6, 11.8}, {-4.6, 12.6}, {-6.4, 11.8}, {-7.6, 10.8},
               {-9.0, 10.4}, {-10.9, 10.8}, {-10.7, 9.9}, {-9.0, 9.2}, {-9.0, 6.8}, {-8.6, 4.2}, {-7.6, 2.2},
               {-5.4, 0.8}, {-2.6, 0.3}},
              {0.8, 1.0}, 95.0, 185.0, 7};
    s.ground = [](const Spot& p) {
        Rgba c = mix(hex(0xf0d870), hex(0xfbefb0), kit::smoothstep(0.0, 0.6, p.reach));
        if (p.fore) {
            // Bars across the forewing from its leading edge.
            const double across = p.p.x + p.p.y * 0.25;
            const double bars = std::sin(across * 1.15 + 0.6);
            const double toward_edge = kit::smoothstep(0.0, 0.6, (p.p.x + 4.0) / 11.0);
            c = mix(c, hex(0x17130f), kit::smoothstep(0.55, 0.7, bars) * toward_edge);
        } else {
            c = mix(c, hex(0x17130f), kit::smoothstep(0.66, 0.74, p.reach));
        }
        return mix(c, hex(0x17130f), 1.0 - kit::smoothstep(1.0, 1.3, p.edge));
    };
    s.vein = hex(0x201a12);
    s.vein_width = 0.3;
    s.marks = [s](kit::Image& img, bool fore, int size) {
        const double k = size / (2.0 * kWingReach);
        const auto outline = kit::closed_spline(fore ? s.fore.controls : s.hind.controls, 10);
        if (fore) {
            for (const Vec2& p : along_margin(outline, 0.33, 0.7, 1.2, 0.5))
                kit::paint_ellipse(img, to_px(p, size), {0.3 * k, 0.18 * k}, 0.0, 1.0, hex(0xf6e08a));
        } else {
            for (const Vec2& p : along_margin(outline, 0.22, 0.7, 1.3, 0.5))
                kit::paint_ellipse(img, to_px(p, size), {0.35 * k, 0.2 * k}, 0.0, 1.0, hex(0xf6e08a));
            for (const Vec2& p : along_margin(outline, 0.25, 0.62, 1.4, 1.6))
                kit::paint_disc(img, to_px(p, size), 0.38 * k, 2.0, hex(0x4a78d8));
            paint_eye(img, {-7.4, 2.6}, {{0.9, hex(0x17130f)}, {0.7, hex(0xe0482a)}, {0.3, hex(0x3a62c8)}}, size);
        }
    };
    return s;
}

// Morpho-like: a glowing blue that deepens to a black border, white spots
// near the tip.
Species azure() {
    Species s;
    s.fore = {{{4.4, 0.5}, {6.2, 4.0}, {7.0, 9.5}, {7.0, 15.0}, {6.0, 19.5}, {4.0, 21.6}, {1.2, 21.6}, {-1.2, 19.6},
               {-3.0, 16.0}, {-4.2, 12.2}, {-4.4, 9.6}, {-3.0, 6.0}, {-0.8, 2.8}, {1.6, 0.8}},
              {3.0, 1.2}, 75.0, 165.0, 8};
    s.hind = {{{1.6, 0.6}, {1.2, 4.8}, {-0.6, 10.0}, {-3.0, 13.6}, {-6.2, 14.8}, {-9.0, 13.4}, {-10.6, 10.2},
               {-10.8, 6.2}, {-9.8, 2.8}, {-6.6, 0.8}, {-2.6, 0.3}},
              {0.8, 1.0}, 95.0, 185.0, 7};
    s.ground = [](const Spot& p) {
        const double glow = std::exp(-std::pow((p.reach - 0.45) / 0.3, 2.0));
        Rgba c = mix(hex(0x1b3fa8), hex(0x3fb4f0), glow);
        c = mix(c, hex(0x9fe6ff), 0.35 * std::exp(-std::pow((p.reach - 0.4) / 0.12, 2.0)));
        c = mix(c, hex(0x3a2a1c), 1.0 - kit::smoothstep(0.0, 0.25, p.reach));  // furry brown base
        const double border = p.fore ? 2.2 : 1.5;
        return mix(c, hex(0x0b0d1a), 1.0 - kit::smoothstep(border * 0.6, border, p.edge));
    };
    s.vein = hex(0x13205a, 0.7f);
    s.vein_width = 0.22;
    s.marks = [s](kit::Image& img, bool fore, int size) {
        const double k = size / (2.0 * kWingReach);
        if (fore) {
            for (const Vec2& p : {Vec2{3.4, 19.6}, Vec2{1.6, 19.8}, Vec2{-0.2, 18.6}, Vec2{4.8, 17.6}})
                kit::paint_disc(img, to_px(p, size), 0.3 * k, 1.0, hex(0xeaf2ff));
        } else {
            const auto outline = kit::closed_spline(s.hind.controls, 10);
            for (const Vec2& p : along_margin(outline, 0.25, 0.62, 1.8, 0.9))
                kit::paint_disc(img, to_px(p, size), 0.22 * k, 1.0, hex(0xd9b46a, 0.8f));
        }
    };
    return s;
}

// Peacock-like: rust red with a great eye on each wing, dark hairy bases and
// a barred leading edge.
Species peacock() {
    Species s;
    s.fore = {{{4.4, 0.5}, {6.2, 4.0}, {7.0, 9.5}, {6.9, 15.0}, {5.8, 19.5}, {4.2, 21.4}, {2.2, 21.0}, {1.2, 19.0},
               {-0.8, 17.8}, {-1.8, 15.2}, {-3.4, 12.4}, {-4.0, 9.8}, {-2.8, 6.2}, {-0.6, 2.8}, {1.6, 0.8}},
              {3.0, 1.2}, 75.0, 165.0, 7};
    s.hind = {{{1.6, 0.6}, {1.2, 4.6}, {-0.4, 9.4}, {-2.4, 12.6}, {-4.6, 13.6}, {-6.0, 12.8}, {-7.4, 13.0},
               {-8.8, 11.4}, {-9.8, 10.8}, {-10.4, 8.6}, {-10.8, 6.2}, {-10.0, 4.0}, {-9.4, 2.4}, {-6.6, 0.8},
               {-2.6, 0.3}},
              {0.8, 1.0}, 95.0, 185.0, 6};
    s.ground = [](const Spot& p) {
        Rgba c = mix(hex(0x8e1c14), hex(0xc4391f), kit::smoothstep(0.15, 0.6, p.reach));
        c = mix(c, hex(0x2b1a16), 1.0 - kit::smoothstep(0.15, 0.4, p.reach));  // dark base
        if (!p.fore) c = mix(c, hex(0x2b1a16), kit::smoothstep(0.55, 0.75, p.reach));
        return mix(c, hex(0x3a2418), 1.0 - kit::smoothstep(0.5, 0.9, p.edge));
    };
    s.vein = hex(0x5a1510, 0.6f);
    s.vein_width = 0.2;
    s.marks = [](kit::Image& img, bool fore, int size) {
        const double k = size / (2.0 * kWingReach);
        if (fore) {
            // Barred leading edge, then the eye near the tip.
            for (int i = 0; i < 4; ++i) {
                const Vec2 a{6.6 - i * 0.1, 8.0 + i * 2.6};
                const Vec2 path[] = {to_px(a, size), to_px(a + Vec2{-1.6, 0.4}, size)};
                kit::paint_stroke(img, path, 0.9 * k, 0.6 * k, 1.5, hex(0x1a1210));
            }
            kit::paint_ellipse(img, to_px({3.0, 17.2}, size), {2.5 * k, 2.2 * k}, -30.0, 2.0, hex(0xf3e7c8));
            kit::paint_ellipse(img, to_px({3.0, 17.2}, size), {2.0 * k, 1.7 * k}, -30.0, 2.0, hex(0x1b1416));
            kit::paint_disc(img, to_px({3.6, 17.8}, size), 0.9 * k, 2.0, hex(0x6f7fd8));
            kit::paint_disc(img, to_px({2.2, 16.6}, size), 0.6 * k, 2.0, hex(0x5a68c8));
            kit::paint_disc(img, to_px({3.9, 18.1}, size), 0.3 * k, 1.0, hex(0xf7f2ff));
        } else {
            kit::paint_ellipse(img, to_px({-6.0, 9.2}, size), {3.0 * k, 2.5 * k}, 20.0, 2.0, hex(0x6a6068));
            kit::paint_ellipse(img, to_px({-6.0, 9.2}, size), {2.5 * k, 2.0 * k}, 20.0, 2.0, hex(0x120d12));
            kit::Rng flecks(33);
            for (int i = 0; i < 14; ++i) {
                const Vec2 p{-6.0 + flecks.range(-1.6, 1.6), 9.2 + flecks.range(-1.2, 1.2)};
                kit::paint_disc(img, to_px(p, size), flecks.range(0.15, 0.35) * k, 1.2, hex(0x5f76d8));
            }
            kit::paint_disc(img, to_px({-5.4, 9.8}, size), 0.3 * k, 1.0, hex(0xf2f0ff));
        }
    };
    return s;
}

// A small white: chalky cream, smoky at the base, black tips and spots.
Species snow() {
    Species s;
    s.fore = {{{4.2, 0.5}, {5.8, 4.0}, {6.4, 9.0}, {6.2, 14.0}, {5.0, 18.0}, {3.0, 19.6}, {0.8, 19.4}, {-1.2, 17.4},
               {-2.6, 14.0}, {-3.4, 10.6}, {-3.4, 8.4}, {-2.4, 5.4}, {-0.4, 2.6}, {1.6, 0.8}},
              {3.0, 1.2}, 75.0, 165.0, 8};
    s.hind = {{{1.6, 0.6}, {1.2, 4.4}, {-0.4, 8.8}, {-2.6, 11.8}, {-5.4, 12.6}, {-8.0, 11.4}, {-9.4, 8.6},
               {-9.6, 5.6}, {-8.8, 2.8}, {-6.0, 0.8}, {-2.6, 0.3}},
              {0.8, 1.0}, 95.0, 185.0, 7};
    s.ground = [](const Spot& p) {
        Rgba c = mix(hex(0xeef0e2), hex(0xfbfaf4), kit::smoothstep(0.1, 0.5, p.reach));
        c = mix(c, hex(0x8a9088), 0.6 * (1.0 - kit::smoothstep(0.0, 0.3, p.reach)));
        if (p.fore) {
            const double tip = kit::smoothstep(0.5, 0.9, (p.p.y - 12.0) / 8.0 + (p.p.x - 2.0) / 10.0);
            c = mix(c, hex(0x25241f), tip * (1.0 - kit::smoothstep(1.6, 2.6, p.edge)));
        }
        return c;
    };
    s.vein = hex(0x9aa094, 0.5f);
    s.vein_width = 0.16;
    s.marks = [](kit::Image& img, bool fore, int size) {
        const double k = size / (2.0 * kWingReach);
        if (fore) {
            kit::paint_disc(img, to_px({1.2, 12.6}, size), 0.75 * k, 2.0, hex(0x2b2a24));
            kit::paint_disc(img, to_px({-1.2, 9.6}, size), 0.6 * k, 2.0, hex(0x2b2a24));
        } else {
            kit::paint_disc(img, to_px({-1.4, 10.2}, size), 0.55 * k, 2.0, hex(0x3a3a32));
        }
    };
    return s;
}

}  // namespace

Species wing_species(int n) {
    switch (n) {
        case 2: return swallowtail();
        case 3: return azure();
        case 4: return peacock();
        case 5: return snow();
        default: return ember();
    }
}

}  // namespace content
