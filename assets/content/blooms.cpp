#include "blooms.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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
constexpr double kGoldenAngle = 2.39996322972865332;

// Light comes from the upper left of the picture; returns a brightness factor
// for a point on a dome of radius r around c.
double dome_light(Vec2 p, Vec2 c, double r) {
    const Vec2 d = (p - c) * (1.0 / r);
    const double z = std::sqrt(std::max(0.0, 1.0 - dot(d, d)));
    const double lit = (-d.x * 0.45 - d.y * 0.55 + z * 0.7);
    return 0.55 + 0.55 * std::clamp(lit, 0.0, 1.0);
}

// A domed disc of florets: base colour, a ring of rim colour, and dots laid
// out on the golden-angle spiral.
void paint_floret_disc(kit::Image& image, Vec2 c, double r, Rgba inner, Rgba rim, Rgba dot, double dot_size,
                       std::uint64_t seed) {
    kit::paint(image, kit::Box{int(c.x - r - 2), int(c.y - r - 2), int(c.x + r + 3), int(c.y + r + 3)},
               [&](double x, double y) {
                   const double d = length(Vec2{x, y} - c) / r;
                   const Rgba base = mix(inner, rim, kit::smoothstep(0.3, 1.0, d));
                   return kit::with_alpha(kit::shade(base, dome_light({x, y}, c, r)), kit::coverage(d * r - r, 1.2));
               });
    kit::Rng rng(seed);
    const int dots = static_cast<int>(r * r / (dot_size * dot_size) * 0.9);
    for (int i = 1; i < dots; ++i) {
        const double rr = r * 0.92 * std::sqrt(double(i) / dots);
        const double a = i * kGoldenAngle;
        const Vec2 p = c + Vec2{std::cos(a), std::sin(a)} * rr;
        const Rgba tone = kit::shade(dot, dome_light(p, c, r) * rng.range(0.85, 1.15));
        kit::paint_disc(image, p, dot_size * 0.45, 0.9, tone);
    }
}

// Soft shadow where petals pass under the centre.
void paint_centre_shadow(kit::Image& image, Vec2 c, double r) {
    kit::paint(image, kit::Box{int(c.x - r), int(c.y - r), int(c.x + r + 1), int(c.y + r + 1)},
               [&](double x, double y) {
                   const double d = length(Vec2{x, y} - c) / r;
                   const Rgba under = image.at(static_cast<int>(x), static_cast<int>(y));
                   if (under.a <= 0.0f) return Rgba{};
                   return Rgba{0.1f, 0.1f, 0.0f, static_cast<float>(0.35 * (1.0 - kit::smoothstep(0.5, 1.0, d)))};
               });
}

// Fine lengthwise veins: a brightness factor across the petal.
double veins(double t, double s, double count, double strength) {
    return 1.0 - strength * std::pow(std::fabs(std::cos(s * count * kPi * 0.5)), 8.0) * (0.3 + 0.7 * t);
}

void paint_daisy(kit::Image& image, Vec2 c, double R, bool chamomile) {
    kit::Rng rng(chamomile ? 21 : 20);
    const int count = chamomile ? 15 : 22;
    const double centre = R * (chamomile ? 0.34 : 0.25);
    for (int layer = 0; layer < 2; ++layer) {
        for (int i = 0; i < count; ++i) {
            PetalShape p;
            p.angle = (i + 0.5 * layer) * 2.0 * kPi / count + rng.range(-0.06, 0.06);
            p.r0 = centre * 0.6;
            p.r1 = R * rng.range(0.86, 1.0) * (layer == 0 ? 1.0 : 0.94);
            p.half_width = strap_profile(R * (chamomile ? 0.105 : 0.085) * rng.range(0.85, 1.15));
            p.teeth = 2;
            p.tooth_depth = R * 0.03;
            const double tone = rng.range(0.9, 1.0) * (layer == 0 ? 0.88 : 1.0);
            paint_petal(image, c, p, [&](double t, double s) {
                Rgba w = mix(hex(0xe7ecc8), hex(0xfdfdf8), kit::smoothstep(0.0, 0.35, t));
                w = kit::shade(w, tone * veins(t, s, 3.0, 0.08) * (0.9 + 0.1 * (1.0 - std::fabs(s))));
                return w;
            });
        }
    }
    paint_centre_shadow(image, c, centre * 1.35);
    paint_floret_disc(image, c, centre, hex(0xffc928), hex(0xe39a06), hex(0xfbd34a), R * 0.06,
                      chamomile ? 23 : 22);
}

void paint_poppy(kit::Image& image, Vec2 c, double R, Rgba petal, Rgba deep, std::uint64_t seed) {
    kit::Rng rng(seed);
    const kit::ValueNoise crinkle{static_cast<std::uint32_t>(seed)};
    const double turn = rng.range(0.0, kPi);
    for (int i = 0; i < 4; ++i) {
        const bool back = i < 2;
        PetalShape p;
        p.angle = turn + (back ? i * kPi : (i - 2) * kPi + kPi * 0.5) + rng.range(-0.12, 0.12);
        p.r0 = -R * 0.05;
        p.r1 = R * (back ? 1.0 : 0.9) * rng.range(0.95, 1.0);
        const double width = R * (back ? 0.6 : 0.55);
        p.half_width = [width](double t) {
            const double u = (t - 0.52) / 0.48;
            return width * std::sqrt(std::max(0.0, 1.0 - u * u)) * (0.45 + 0.55 * kit::smoothstep(0.0, 0.35, t));
        };
        const double seed_x = rng.range(0.0, 100.0);
        const double tone = back ? 0.82 : 1.0;
        paint_petal(image, c, p, [&, tone, seed_x](double t, double s) {
            const double folds = kit::fbm(crinkle, seed_x + s * 2.5, t * 9.0, 3);
            Rgba col = mix(deep, petal, kit::smoothstep(0.1, 0.5, t));
            col = kit::shade(col, tone * (0.82 + 0.3 * folds) * (0.93 + 0.07 * t));
            const double blotch = 1.0 - kit::smoothstep(0.16, 0.26, t + 0.03 * std::fabs(s));
            col = mix(col, hex(0x1b0d10), blotch);
            // Thin bright rim where the petal edge catches the light.
            col = mix(col, hex(0xffb0a0), 0.25 * kit::smoothstep(0.85, 1.0, std::fabs(s)) * t);
            return col;
        });
    }
    // Stamens round the seed pod, then the pod with its stigma rays.
    for (int i = 0; i < 70; ++i) {
        const double a = rng.range(0.0, 2.0 * kPi);
        const double r = R * rng.range(0.14, 0.27);
        kit::paint_disc(image, c + Vec2{std::cos(a), std::sin(a)} * r, R * 0.025, 1.0, hex(0x20142a));
    }
    kit::paint_disc(image, c, R * 0.15, 1.2, hex(0x7f8c5c));
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4.0 + turn;
        const Vec2 tip = c + Vec2{std::cos(a), std::sin(a)} * (R * 0.14);
        const Vec2 path[] = {c, tip};
        kit::paint_stroke(image, path, R * 0.03, R * 0.02, 1.0, hex(0x2e2838));
    }
    kit::paint_disc(image, c, R * 0.035, 1.0, hex(0x3c3148));
}

void paint_cornflower(kit::Image& image, Vec2 c, double R) {
    kit::Rng rng(30);
    const int florets = 11;
    for (int layer = 0; layer < 2; ++layer) {
        for (int i = 0; i < florets; ++i) {
            PetalShape p;
            p.angle = (i + 0.5 * layer) * 2.0 * kPi / florets + rng.range(-0.1, 0.1);
            p.r0 = R * 0.15;
            p.r1 = R * rng.range(0.88, 1.0) * (layer == 0 ? 1.0 : 0.78);
            p.half_width = funnel_profile(R * 0.17 * rng.range(0.9, 1.1));
            p.teeth = 5;
            p.tooth_depth = R * 0.12;
            const double tone = layer == 0 ? 0.85 : 1.0;
            paint_petal(image, c, p, [&, tone](double t, double s) {
                Rgba col = mix(hex(0x2b2a9e), hex(0x4f78f0), kit::smoothstep(0.15, 0.7, t));
                col = mix(col, hex(0x8fb0ff), 0.4 * kit::smoothstep(0.75, 1.0, t));
                return kit::shade(col, tone * veins(t, s, 4.0, 0.25));
            });
        }
    }
    paint_centre_shadow(image, c, R * 0.35);
    for (int i = 0; i < 40; ++i) {
        const double a = rng.range(0.0, 2.0 * kPi);
        const double r = R * 0.22 * std::sqrt(rng.uniform());
        const Vec2 from = c + Vec2{std::cos(a), std::sin(a)} * r;
        const Vec2 to = from + Vec2{std::cos(a), std::sin(a)} * (R * 0.08);
        const Vec2 path[] = {from, to};
        kit::paint_stroke(image, path, R * 0.05, R * 0.03, 1.0, mix(hex(0x3a1f6e), hex(0x6d3fb0), rng.uniform()));
    }
}

void paint_buttercup(kit::Image& image, Vec2 c, double R) {
    kit::Rng rng(40);
    const double turn = rng.range(0.0, kPi);
    for (int i = 0; i < 5; ++i) {
        PetalShape p;
        p.angle = turn + i * 2.0 * kPi / 5.0 + rng.range(-0.08, 0.08);
        p.r0 = R * 0.05;
        p.r1 = R * rng.range(0.93, 1.0);
        p.half_width = [R](double t) {
            const double u = (t - 0.58) / 0.42;
            return R * 0.44 * std::sqrt(std::max(0.0, 1.0 - u * u)) * (0.3 + 0.7 * kit::smoothstep(0.0, 0.5, t));
        };
        paint_petal(image, c, p, [&](double t, double s) {
            Rgba col = mix(hex(0xf2b600), hex(0xffe11a), kit::smoothstep(0.1, 0.6, t));
            // The glossy sheen a buttercup is known for.
            const double sheen = std::exp(-std::pow((t - 0.45) / 0.18, 2.0) - std::pow((s + 0.25) / 0.35, 2.0));
            col = mix(col, hex(0xfffbe0), 0.75 * sheen);
            return kit::shade(col, 0.9 + 0.1 * (1.0 - std::fabs(s)));
        });
    }
    paint_floret_disc(image, c, R * 0.2, hex(0xb6c23c), hex(0x8f9a26), hex(0xf0b400), R * 0.05, 41);
}

void paint_cosmos(kit::Image& image, Vec2 c, double R, Rgba petal, Rgba base, std::uint64_t seed) {
    kit::Rng rng(seed);
    const int count = 8;
    const double turn = rng.range(0.0, kPi);
    for (int i = 0; i < count; ++i) {
        PetalShape p;
        p.angle = turn + i * 2.0 * kPi / count + rng.range(-0.07, 0.07);
        p.r0 = R * 0.08;
        p.r1 = R * rng.range(0.92, 1.0);
        p.half_width = obovate_profile(R * 0.27);
        p.teeth = 3;
        p.tooth_depth = R * 0.07;
        const double tone = rng.range(0.9, 1.05);
        paint_petal(image, c, p, [&, tone](double t, double s) {
            Rgba col = mix(base, petal, kit::smoothstep(0.12, 0.45, t));
            return kit::shade(col, tone * veins(t, s, 5.0, 0.12));
        });
    }
    paint_centre_shadow(image, c, R * 0.28);
    paint_floret_disc(image, c, R * 0.17, hex(0xf5c21b), hex(0xc98a0c), hex(0xffd84a), R * 0.045, seed + 1);
}

void paint_clover(kit::Image& image, Vec2 c, double R) {
    kit::Rng rng(50);
    // Florets from the back of the globe to its front: outer ones first.
    for (int i = 0; i < 260; ++i) {
        const double a = rng.range(0.0, 2.0 * kPi);
        const double reach = R * std::sqrt(rng.uniform()) * 0.95;
        const Vec2 dir{std::cos(a), std::sin(a)};
        const Vec2 from = c + dir * (reach * 0.55);
        const Vec2 to = c + dir * reach;
        const double light = dome_light(to, c, R);
        const Rgba col = kit::shade(mix(hex(0xa0266a), hex(0xf2a3cc), rng.uniform() * 0.7 + 0.3 * reach / R), light);
        const Vec2 path[] = {from, to};
        kit::paint_stroke(image, path, R * 0.07, R * 0.1, 1.0, col);
    }
    for (int i = 0; i < 24; ++i) {
        const double a = rng.range(0.0, 2.0 * kPi);
        const double r = R * std::sqrt(rng.uniform()) * 0.7;
        const Vec2 p = c + Vec2{std::cos(a), std::sin(a)} * r;
        kit::paint_disc(image, p, R * 0.04, 1.5, kit::shade(hex(0xf4bcd6, 0.8f), dome_light(p, c, R)));
    }
}

void paint_scabious(kit::Image& image, Vec2 c, double R) {
    kit::Rng rng(60);
    const int count = 14;
    for (int i = 0; i < count; ++i) {
        PetalShape p;
        p.angle = i * 2.0 * kPi / count + rng.range(-0.1, 0.1);
        p.r0 = R * 0.3;
        p.r1 = R * rng.range(0.88, 1.0);
        p.half_width = funnel_profile(R * 0.22);
        p.teeth = 4;
        p.tooth_depth = R * 0.06;
        paint_petal(image, c, p, [&](double t, double s) {
            const Rgba col = mix(hex(0x8f7fd0), hex(0xc0b4f0), kit::smoothstep(0.0, 0.8, t));
            return kit::shade(col, veins(t, s, 6.0, 0.15));
        });
    }
    paint_floret_disc(image, c, R * 0.48, hex(0xbfb2ec), hex(0x9484d0), hex(0xe4dcfa), R * 0.085, 61);
    for (int i = 0; i < 26; ++i) {
        const double a = rng.range(0.0, 2.0 * kPi);
        const Vec2 p = c + Vec2{std::cos(a), std::sin(a)} * (R * 0.42 * std::sqrt(rng.uniform()));
        kit::paint_disc(image, p, R * 0.028, 0.8, hex(0xffffff));
    }
}

void paint_coneflower(kit::Image& image, Vec2 c, double R) {
    kit::Rng rng(70);
    const int count = 15;
    for (int i = 0; i < count; ++i) {
        PetalShape p;
        p.angle = i * 2.0 * kPi / count + rng.range(-0.08, 0.08);
        p.r0 = R * 0.2;
        p.r1 = R * rng.range(0.9, 1.0);
        p.half_width = strap_profile(R * 0.115);
        p.teeth = 2;
        p.tooth_depth = R * 0.05;
        paint_petal(image, c, p, [&](double t, double s) {
            const Rgba col = mix(hex(0xa8306e), hex(0xe27bb0), kit::smoothstep(0.0, 0.7, t));
            return kit::shade(col, veins(t, s, 4.0, 0.2));
        });
    }
    paint_centre_shadow(image, c, R * 0.45);
    paint_floret_disc(image, c, R * 0.34, hex(0xd07a1e), hex(0x7a3a10), hex(0xf0a040), R * 0.07, 71);
}

void paint_bellflower(kit::Image& image, Vec2 c, double R) {
    kit::Rng rng(80);
    const double turn = rng.range(0.0, kPi);
    for (int i = 0; i < 5; ++i) {
        PetalShape p;
        p.angle = turn + i * 2.0 * kPi / 5.0;
        p.r0 = 0.0;
        p.r1 = R * 0.98;
        p.half_width = [R](double t) {
            return R * 0.42 * std::sin(kPi * std::pow(t, 0.9)) * (0.55 + 0.45 * t) + R * 0.05 * (1.0 - t);
        };
        paint_petal(image, c, p, [&](double t, double s) {
            Rgba col = mix(hex(0x3b2a86), hex(0x8d82e6), kit::smoothstep(0.1, 0.8, t));
            return kit::shade(col, veins(t, s, 1.0, 0.25) * (0.9 + 0.1 * t));
        });
    }
    // The dark throat of the bell and its pale style.
    kit::paint_disc(image, c, R * 0.3, R * 0.25, hex(0x241a52, 0.8f));
    kit::paint_disc(image, c, R * 0.06, 1.0, hex(0xf4f0ff));
}

}  // namespace

kit::Image paint_bloom(Bloom kind, int size) {
    kit::Image image(size, size);
    const Vec2 c{size * 0.5, size * 0.5};
    const double R = size * kHeadFill;
    switch (kind) {
        case Bloom::daisy: paint_daisy(image, c, R, false); break;
        case Bloom::chamomile: paint_daisy(image, c, R, true); break;
        case Bloom::poppy: paint_poppy(image, c, R, hex(0xe3231b), hex(0xa80f14), 10); break;
        case Bloom::poppy_orange: paint_poppy(image, c, R, hex(0xf7861c), hex(0xd0520c), 11); break;
        case Bloom::cornflower: paint_cornflower(image, c, R); break;
        case Bloom::buttercup: paint_buttercup(image, c, R); break;
        case Bloom::cosmos_pink: paint_cosmos(image, c, R, hex(0xf6a6cf), hex(0xd65a98), 12); break;
        case Bloom::cosmos_magenta: paint_cosmos(image, c, R, hex(0xd12f86), hex(0x8e1252), 13); break;
        case Bloom::clover: paint_clover(image, c, R); break;
        case Bloom::scabious: paint_scabious(image, c, R); break;
        case Bloom::coneflower: paint_coneflower(image, c, R); break;
        case Bloom::bellflower: paint_bellflower(image, c, R); break;
    }
    kit::bleed_edges(image, 6);
    return image;
}

}  // namespace content
