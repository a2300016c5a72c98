#include "clock_dial.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "kit/blur.h"
#include "kit/image_codec.h"
#include "kit/paint.h"
#include "kit/shapes.h"
#include "overlay_entry.h"
#include "overlay_layout.h"

namespace content {

namespace {

using kit::hex;

// A hand as painted: the outline of its blade (pointing along +y from the
// pivot at the origin) and its round parts (hub, counterweight), scene units.
struct Hand {
    std::vector<kit::Vec2> blade;
    struct Round {
        kit::Vec2 centre;
        double radius;
    };
    std::vector<Round> rounds;
    kit::Rgba colour;
};

const kit::Rgba kCream = hex(0xfff6e2);
const kit::Rgba kAccent = hex(0xff6a3d);

// Halo around the hands, scene units: keeps them apart from the dial's marks
// and from whatever lies behind.
constexpr double kHalo = 0.3;
constexpr double kHandPixelsPerUnit = 48.0;

// A tapered blade: half widths at the tail, at the pivot and just before the
// tip, which ends in a point.
std::vector<kit::Vec2> blade(double tail, double tail_half, double pivot_half, double shoulder, double shoulder_half,
                             double tip) {
    return {{-tail_half, tail}, {tail_half, tail}, {pivot_half, 0.0}, {shoulder_half, shoulder},
            {0.0, tip},         {-shoulder_half, shoulder}, {-pivot_half, 0.0}};
}

struct Extent {
    double half_width = 0.0;
    double bottom = 0.0;
    double top = 0.0;
};

Extent extent_of(const Hand& hand) {
    Extent e;
    for (const kit::Vec2& p : hand.blade) {
        e.half_width = std::max(e.half_width, std::fabs(p.x));
        e.bottom = std::min(e.bottom, p.y);
        e.top = std::max(e.top, p.y);
    }
    for (const Hand::Round& r : hand.rounds) {
        e.half_width = std::max(e.half_width, std::fabs(r.centre.x) + r.radius);
        e.bottom = std::min(e.bottom, r.centre.y - r.radius);
        e.top = std::max(e.top, r.centre.y + r.radius);
    }
    e.half_width += kHalo;
    e.bottom -= kHalo;
    e.top += kHalo;
    return e;
}

// Paints the hand into the atlas with its quad's top-left corner at (x0, 0)
// and returns the quad showing it.
kit::Mesh paint_hand(kit::Image& atlas, int x0, const Hand& hand) {
    const Extent e = extent_of(hand);
    const double ppu = kHandPixelsPerUnit;
    const int w = static_cast<int>(std::ceil(2.0 * e.half_width * ppu));
    const int h = static_cast<int>(std::ceil((e.top - e.bottom) * ppu));
    auto to_pixels = [&](kit::Vec2 p) { return kit::Vec2{(p.x + e.half_width) * ppu, (e.top - p.y) * ppu}; };
    std::vector<kit::Vec2> outline;
    for (const kit::Vec2& p : hand.blade) outline.push_back(to_pixels(p));
    kit::Mask mask = kit::polygon_mask(w, h, outline);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (const Hand::Round& r : hand.rounds) {
                const double d = kit::length(kit::Vec2{x + 0.5, y + 0.5} - to_pixels(r.centre)) - r.radius * ppu;
                float& v = mask.values[static_cast<std::size_t>(y) * w + x];
                v = std::max(v, static_cast<float>(kit::coverage(d, 1.0)));
            }
    const kit::Mask halo = kit::blurred(mask, static_cast<int>(kHalo * ppu / 2.5));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            // The right half a shade darker, as if the blade had a ridge.
            const kit::Rgba c = kit::shade(hand.colour, x + 0.5 < w / 2.0 ? 1.0 : 0.86);
            const kit::Rgba under{0.0f, 0.0f, 0.0f, std::min(1.0f, halo.values[i] * 2.0f) * 0.6f};
            atlas.put(x0 + x, y, kit::over(kit::with_alpha(c, mask.values[i]), under));
        }
    const double sw = atlas.width, sh = atlas.height;
    return kit::quad({-e.half_width, e.bottom, 0.0}, {2.0 * e.half_width, 0.0, 0.0}, {0.0, e.top - e.bottom, 0.0},
                     {x0 / sw, 0.0, (x0 + w) / sw, h / sh});
}

kit::Image paint_dial(int size) {
    kit::Image image(size, size);
    const double ppu = size / (2.0 * kDialRadius);
    const kit::Vec2 centre{size / 2.0, size / 2.0};
    auto at = [&](double radius, double angle) {
        return centre + kit::Vec2{std::sin(angle), -std::cos(angle)} * (radius * ppu);
    };
    const double face = kDialRadius - 0.15;
    kit::paint(image, [&](double x, double y) {
        const double r = kit::length(kit::Vec2{x, y} - centre) / ppu;
        const double cover = kit::coverage(r - face + 0.2, 0.4);
        if (cover <= 0.0) return kit::Rgba{};
        // Darker towards the rim, so the marks stand out where they are.
        const double a = 0.46 + 0.14 * kit::smoothstep(2.0, face, r);
        const double rim = kit::coverage(std::fabs(r - (face - 0.55)) - 0.05, 2.0 / ppu);
        const kit::Rgba c = kit::over(kit::with_alpha(kCream, 0.45 * rim), {0.0f, 0.0f, 0.0f, static_cast<float>(a)});
        return kit::with_alpha(c, c.a * cover);
    });
    for (int minute = 0; minute < 60; ++minute) {
        const double angle = minute * std::numbers::pi / 30.0;
        if (minute % 5 != 0) {
            kit::paint_disc(image, at(face - 1.1, angle), 0.07 * ppu, 1.0, kit::with_alpha(kCream, 0.55));
            continue;
        }
        const bool quarter = minute % 15 == 0;
        const kit::Vec2 path[2] = {at(face - (quarter ? 2.2 : 1.7), angle), at(face - 0.95, angle)};
        kit::paint_stroke(image, path, (quarter ? 0.38 : 0.22) * ppu, (quarter ? 0.38 : 0.22) * ppu, 1.0, kCream);
    }
    return image;
}

// The second, minute and hour hands, in this order.
std::vector<Hand> clock_hands() {
    Hand second{{{-0.09, -1.9}, {0.09, -1.9}, {0.055, 7.0}, {-0.055, 7.0}},
                {{{0.0, 0.0}, 0.28}, {{0.0, -1.45}, 0.26}},
                kAccent};
    Hand minute{blade(-1.1, 0.16, 0.3, 5.9, 0.2, 6.7), {{{0.0, 0.0}, 0.42}}, kCream};
    Hand hour{blade(-0.9, 0.2, 0.42, 3.8, 0.3, 4.6), {{{0.0, 0.0}, 0.55}}, kCream};
    return {second, minute, hour};
}

}  // namespace

void add_analog_clock(Archive& archive) {
    kit::Image hands(256, 512);
    const char* names[3] = {"sec", "min", "chas"};
    const std::vector<Hand> shapes = clock_hands();
    int x = 0;
    for (int i = 0; i < 3; ++i) {
        add_overlay_entry(archive, names[i], "clock_hands.png", paint_hand(hands, x, shapes[i]));
        x += static_cast<int>(std::ceil(2.0 * extent_of(shapes[i]).half_width * kHandPixelsPerUnit)) + 8;
    }
    const double r = kDialRadius;
    add_overlay_entry(archive, "ciferblat", "clock_dial.png",
                      kit::quad({-r, -r, 0.0}, {2.0 * r, 0.0, 0.0}, {0.0, 2.0 * r, 0.0}));
    archive.entries.push_back({"clock_hands.png", kit::encode_png(hands)});
    archive.entries.push_back({"clock_dial.png", kit::encode_png(paint_dial(512))});
}

}  // namespace content
