#include "background.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "kit/image_codec.h"
#include "kit/noise.h"
#include "kit/paint.h"
#include "kit/rng.h"
#include "kit/shapes.h"
#include "scene_layout.h"

namespace content {

namespace {

using kit::hex;
using kit::Rgba;

constexpr double kHorizon = 0.6;  // picture height fraction where the sky meets the land

// Features are placed in plate units across (one unit is the picture's
// height on the plate) from this origin, left of the centre, so that the
// landscape keeps its place however wide the plate is made.
constexpr double kOrigin = 1.098;

// Pixels per plate unit across for which the clouds' and copses' round
// shapes were drawn; wider pictures stretch them by the same factor.
constexpr double kShapeDensity = 466.0;

Rgba sky_at(double v) {
    static const std::vector<kit::GradientStop> stops{
        {0.00, hex(0x0f255a)}, {0.15, hex(0x1d4487)}, {0.30, hex(0x3a6eb0)}, {0.41, hex(0x6f9bcc)},
        {0.49, hex(0xa9c2d9)}, {0.55, hex(0xe6d8c6)}, {0.60, hex(0xfad4a2)}};
    return kit::gradient(stops, v);
}

// Height (as a picture fraction, smaller is higher) of one range of hills.
struct Ridge {
    double base;
    double amplitude;
    double frequency;
    std::uint32_t seed;
};

double ridge_at(const Ridge& r, double x) {
    const kit::ValueNoise n{r.seed};
    return r.base - r.amplitude * kit::fbm(n, x * r.frequency, 0.5, 4, 0.45);
}

// One cumulus cloud as a heap of soft puffs on a flat base.
// sx: pixels across per pixel of the round shapes' design (see kShapeDensity).
void paint_cloud(kit::Image& image, kit::Rng& rng, double cx, double base, double span, double height_scale,
                 double warmth, double sx) {
    const kit::ValueNoise ragged{static_cast<std::uint32_t>(cx)};
    const int puffs = 10 + static_cast<int>(span / 6.0);
    const Rgba shadow = kit::mix(hex(0x9aa7c4), hex(0xcfa7a6), warmth);
    const Rgba lit = kit::mix(hex(0xffffff), hex(0xffe9cc), warmth);
    for (int layer = 0; layer < 2; ++layer) {
        for (int i = 0; i < puffs; ++i) {
            const double t = rng.range(-1.0, 1.0);
            const double hump = std::sqrt(std::max(0.0, 1.0 - t * t));  // taller in the middle
            const double r = span * (0.10 + 0.16 * hump) * rng.range(0.7, 1.2) * (layer == 0 ? 1.0 : 0.7);
            const double x = cx + t * span * 0.5 * sx;
            const double y = base - r * (0.35 + 0.9 * hump * rng.uniform()) * height_scale -
                             (layer == 1 ? r * 0.5 : 0.0);
            const double top = y - r, bottom = std::min(y + r, base);
            kit::paint(image, kit::Box{int(x - r * sx - 2), int(top - 2), int(x + r * sx + 3), int(bottom + 3)},
                       [&](double px, double py) {
                           const double d = std::hypot((px - x) / sx, (py - y) / height_scale) - r;
                           // Flat underside: fade out just below the base line.
                           const double under = 1.0 - kit::smoothstep(base - 2.0, base + 2.0, py);
                           const double wisp = kit::fbm(ragged, px / sx / 14.0, py / 9.0, 3) - 0.5;
                           const double a = kit::coverage(d + wisp * r * 0.6, r * 0.35) * under;
                           if (a <= 0.0) return Rgba{};
                           const double light = std::clamp((y + r * 0.6 - py) / (1.6 * r), 0.0, 1.0);
                           return kit::with_alpha(kit::mix(shadow, lit, light * (0.6 + 0.4 * layer)), a * 0.9);
                       });
        }
    }
}

}  // namespace

kit::Image paint_sky(int width, int height) {
    kit::Image image(width, height, hex(0x000000));
    const double aspect = 2.0 * kPlateHalfWidth * 4.0 / (2.0 * kPlateHalfHeight * 3.0);
    const double sx = width / aspect / kShapeDensity;
    // Plate units across from the origin, for a pixel column.
    auto across = [&](double px) { return (px / width - 0.5) * aspect + kOrigin; };
    auto column_of = [&](double x) { return ((x - kOrigin) / aspect + 0.5) * width; };
    const kit::ValueNoise cirrus{13};
    const double sun_x = 1.449, sun_v = 0.53;

    // Sky and sun glow, with a few high streaks near the top.
    kit::paint(image, [&](double px, double py) {
        const double v = py / height;
        const double x = across(px);
        Rgba c = sky_at(v);
        const double dx = x - sun_x, dv = v - sun_v;
        const double near_sun = std::exp(-(dx * dx + dv * dv * 6.0) / 0.015);
        const double wide = std::exp(-(dx * dx * 0.5 + dv * dv * 3.0) / 0.25);
        c = kit::mix(c, hex(0xfff3da), 0.6 * near_sun + 0.25 * wide);
        if (v < 0.32) {
            const double streak = kit::fbm(cirrus, x * 1.4, v * 24.0, 4);
            const double high = kit::smoothstep(0.55, 0.78, streak) * (1.0 - kit::smoothstep(0.12, 0.32, v));
            c = kit::mix(c, hex(0xe4ecf7), 0.4 * high);
        }
        return c;
    });

    // Cloud heaps: x in plate units from the origin, v down the picture,
    // span in design pixels. The outer ones only show on very wide views.
    kit::Rng clouds(5);
    const struct {
        double x, v, span, flat;
    } heaps[] = {{0.176, 0.24, 150, 0.7}, {0.659, 0.40, 90, 0.6},  {1.142, 0.30, 120, 0.65}, {1.757, 0.22, 170, 0.75},
                 {2.086, 0.44, 80, 0.55}, {0.922, 0.51, 60, 0.45}, {0.395, 0.52, 70, 0.45},  {1.493, 0.50, 55, 0.45},
                 {-0.35, 0.31, 140, 0.65}, {-0.15, 0.47, 65, 0.5}, {2.45, 0.27, 150, 0.7},   {2.70, 0.49, 70, 0.45}};
    for (const auto& h : heaps) {
        const double warmth = kit::smoothstep(0.25, 0.53, h.v);
        paint_cloud(image, clouds, column_of(h.x), h.v * height, h.span * height / 512.0, h.flat, warmth, sx);
    }

    // Hills, far to near, each less hazy than the one behind it.
    const Ridge ridges[] = {{kHorizon - 0.005, 0.1, 1.8, 21}, {kHorizon + 0.03, 0.05, 3.2, 22},
                            {kHorizon + 0.07, 0.045, 4.0, 23}, {kHorizon + 0.12, 0.04, 2.6, 24}};
    const Rgba tops[] = {hex(0xa8b6d2), hex(0x93adb4), hex(0x86aa72), hex(0xa2bd52)};
    const Rgba bottoms[] = {hex(0xbcc3d2), hex(0x9fb4a6), hex(0x6f955a), hex(0x8aa843)};
    const kit::ValueNoise ground{31};
    std::vector<double> crest(width);
    for (int layer = 0; layer < 4; ++layer) {
        const Ridge& r = ridges[layer];
        double highest = 1.0;
        for (int px = 0; px < width; ++px) {
            crest[px] = ridge_at(r, across(px + 0.5));
            highest = std::min(highest, crest[px]);
        }
        kit::paint(image, kit::Box{0, static_cast<int>(highest * height) - 2, width, height},
                   [&](double px, double py) {
                       const double x = across(px), v = py / height;
                       const double top = crest[static_cast<int>(px)];
                       const double cover = kit::smoothstep(top - 0.8 / height, top + 0.8 / height, v);
                       if (cover <= 0.0) return Rgba{};
                       const double depth = std::clamp((v - top) / 0.1, 0.0, 1.0);
                       Rgba c = kit::mix(tops[layer], bottoms[layer], std::sqrt(depth));
                       if (layer >= 2) {
                           const double grain = kit::fbm(ground, x * 30.0, v * 40.0, 3);
                           c = kit::shade(c, 0.92 + 0.16 * grain);
                       }
                       const double sunlit = std::exp(-std::pow(x - sun_x, 2) / 0.4);
                       c = kit::mix(c, hex(0xf6dcae), 0.22 * sunlit * (1.0 - depth));
                       return kit::with_alpha(c, cover);
                   });
        // Copses and hedgerows on the nearer hills, as many per plate unit
        // however wide the picture.
        if (layer >= 1) {
            kit::Rng rng(100 + layer);
            const int copses = static_cast<int>((10 + layer * 8) * aspect / 2.196);
            const Rgba dark = kit::mix(bottoms[layer], hex(0x1c361a), 0.3 + 0.18 * layer);
            const Rgba light = kit::mix(dark, hex(0xc9d98a), 0.35);
            const double k = height / 512.0;
            for (int i = 0; i < copses; ++i) {
                const double u = rng.uniform();
                const double drop = rng.range(0.004, 0.05) * (layer - 0.5);
                const int trees = 1 + rng.below(6);
                for (int t = 0; t < trees; ++t) {
                    const double tx =
                        u * width + ((t - trees * 0.5) * 2.2 * layer + rng.range(-1.0, 1.0)) * k * sx;
                    const int column = std::clamp(static_cast<int>(tx), 0, width - 1);
                    const double ty = (crest[column] + drop) * height;
                    const double size = rng.range(1.2, 2.4) * layer * 0.7 * k;
                    kit::paint_ellipse(image, {tx, ty - size * 0.8}, {size * 0.85 * sx, size}, 0.0, 1.0, dark);
                    kit::paint_ellipse(image, {tx + size * 0.25 * sx, ty - size * 1.1}, {size * 0.45 * sx, size * 0.5},
                                       0.0, 1.5, kit::with_alpha(light, 0.5));
                }
            }
        }
    }

    // The near meadow: grass, and specks of distant flowers that grow larger
    // towards the bottom.
    const double meadow_top = kHorizon + 0.09;
    kit::paint(image, kit::Box{0, static_cast<int>(meadow_top * height), width, height},
               [&](double px, double py) {
                   const double x = across(px), v = py / height;
                   const double top = crest[static_cast<int>(px)];
                   if (v < top) return Rgba{};
                   const double near = (v - meadow_top) / (1.0 - meadow_top);
                   const double blades = kit::fbm(ground, x * 120.0, v * (20.0 + 30.0 * near), 3);
                   const double patches = kit::fbm(ground, x * 5.0, v * 9.0, 3);
                   Rgba c = kit::mix(hex(0xc2cf62), hex(0x7d9c3a), kit::smoothstep(0.3, 0.8, patches));
                   c = kit::mix(c, hex(0x5d7d34), kit::smoothstep(0.4, 1.0, near) * 0.6);
                   c = kit::shade(c, 0.85 + 0.3 * blades * near + 0.15 * (1.0 - near));
                   return kit::with_alpha(c, kit::smoothstep(top, top + 2.0 / height, v) * 0.9);
               });
    kit::Rng specks(77);
    const Rgba petals[] = {hex(0xfff8e8), hex(0xf7d23e), hex(0xe2452f), hex(0x8f7fd8), hex(0xf09ac0)};
    const int count = static_cast<int>(2600 * aspect / 2.196);
    for (int i = 0; i < count; ++i) {
        const double u = specks.uniform();
        const double v = meadow_top + 0.01 + (1.0 - meadow_top) * std::sqrt(specks.uniform());
        if (v < crest[std::clamp(static_cast<int>(u * width), 0, width - 1)] + 0.01) continue;
        const double near = (v - kHorizon) / (1.0 - kHorizon);
        const Rgba c = petals[specks.below(5)];
        const double r = (0.4 + 1.6 * near * specks.uniform()) * height / 512.0;
        kit::paint_ellipse(image, {u * width, v * height}, {r * sx, r}, 0.0, 1.2,
                           kit::with_alpha(c, 0.55 + 0.4 * near));
    }
    return image;
}

kit::MeshRecord background_plate(const char* texture) {
    kit::MeshRecord r;
    r.texture = texture;
    // Drawn unlit; the material only matters if someone lights it.
    r.material.ambient = {1, 1, 1, 1};
    r.material.diffuse = {1, 1, 1, 1};
    // The plate is shown turned half round x and y, which flips y: model +y
    // ends up at the bottom of the view, so the image's top row (t = 0) goes
    // to model -y.
    r.mesh = kit::quad({-kPlateHalfWidth, kPlateHalfHeight, 0.0}, {2.0 * kPlateHalfWidth, 0.0, 0.0},
                       {0.0, -2.0 * kPlateHalfHeight, 0.0}, {0.0, 0.0, 1.0, 1.0});
    for (kit::Triangle& t : r.mesh.triangles)
        for (kit::Vertex& v : t.v) v.normal = {0.0, 0.0, -1.0};
    return r;
}

void add_background(Archive& archive) {
    const kit::MeshRecord plate = background_plate("sky.jpg");
    archive.entries.push_back({"fon", kit::write_mesh_entry(std::span(&plate, 1))});
    archive.entries.push_back({"sky.jpg", kit::encode_jpeg(paint_sky(kSkyWidth, kSkyHeight), 90)});
}

}  // namespace content
