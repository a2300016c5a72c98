#include "butterfly.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "kit/image_codec.h"
#include "kit/noise.h"
#include "kit/paint.h"
#include "kit/rng.h"
#include "kit/shapes.h"
#include "kit/transform.h"
#include "wings.h"

namespace content {

namespace {

using kit::hex;
using kit::mix;
using kit::Rgba;
using kit::Vec2;
using kit::Vec3;

constexpr double kPi = std::numbers::pi;

// Body and wing are modelled at this size relative to the wing picture's
// units, so that a butterfly reads clearly next to the flower heads.
constexpr double kModelSize = 1.3;

// The body's outline from the tail's tip to the head's, (radius, position
// along the body); the texture's t runs from the head (0) to the tail (1).
constexpr double kHeadTip = 8.95;
constexpr double kTailTip = -9.0;
constexpr Vec2 kBodyProfile[] = {
    {0.0, -9.0}, {0.45, -8.6}, {0.8, -7.6}, {1.05, -6.0}, {1.25, -4.0}, {1.3, -2.0}, {1.2, -0.6},
    {0.85, 0.2}, {1.45, 1.0},  {1.8, 2.4},  {1.85, 3.8},  {1.6, 5.2},   {0.95, 6.0}, {1.15, 6.5},
    {1.3, 7.3},  {1.1, 8.1},   {0.6, 8.7},  {0.0, 8.95}};

// Where antennae and legs sample the body picture: a dark patch at the
// head's tip, which the body itself barely shows.
constexpr Vec2 kLimbTexcoord{0.5, 0.012};

struct BodyColours {
    Rgba fur;
    Rgba hair;    // lighter hairs on the thorax
    Rgba marks;   // dots or stripes
    int pattern;  // 0 none, 1 dots, 2 side stripes
};

BodyColours colours_of(int species) {
    switch (species) {
        case 2: return {hex(0x17140f), hex(0x4a4030), hex(0xf0d870), 2};
        case 3: return {hex(0x2a1d14), hex(0x6a5038), hex(0x6a5038), 0};
        case 4: return {hex(0x1e1210), hex(0x5a3a2c), hex(0x5a3a2c), 0};
        case 5: return {hex(0x2a2a28), hex(0xbfc2b8), hex(0xe8e8e0), 1};
        default: return {hex(0x141010), hex(0x3c3230), hex(0xf2efe6), 1};
    }
}

kit::Mesh limb(std::initializer_list<Vec3> points, std::initializer_list<double> radii, int sides) {
    const std::vector<Vec3> path(points);
    const std::vector<double> r(radii);
    kit::Mesh m = kit::tube(path, r, sides);
    for (kit::Triangle& t : m.triangles)
        for (kit::Vertex& v : t.v) v.texcoord = kLimbTexcoord;
    return m;
}

}  // namespace

kit::Image paint_body(int species, int width, int height) {
    const BodyColours c = colours_of(species);
    kit::Image image(width, height, c.fur);
    const double head_end = (kHeadTip - 6.0) / (kHeadTip - kTailTip);
    const double thorax_end = (kHeadTip - 0.2) / (kHeadTip - kTailTip);
    const kit::ValueNoise fuzz{static_cast<std::uint32_t>(900 + species), 8, 0};
    kit::paint(image, [&](double x, double y) {
        const double s = x / width, t = y / height;
        Rgba col = c.fur;
        // Rings on the abdomen, the back darker than the belly.
        if (t > thorax_end) col = kit::shade(col, 0.8 + 0.45 * std::pow(std::fabs(std::sin((t - thorax_end) * 26.0)), 3.0));
        const double back = std::cos((s - 0.5) * 2.0 * kPi);
        col = kit::shade(col, 1.0 + 0.25 * back);
        return kit::shade(col, 0.8 + 0.4 * kit::fbm(fuzz, s * 8.0, t * 24.0, 3));
    });
    kit::Rng rng(950 + species);
    // Hairs, mostly lengthwise; the thorax is the furriest.
    for (int i = 0; i < width * height / 24; ++i) {
        const Vec2 at{rng.uniform() * width, rng.uniform() * height};
        const double t = at.y / height;
        const bool thorax = t > head_end && t < thorax_end;
        const double a = kPi * 0.5 + rng.range(-0.6, 0.6);
        const double len = rng.range(3.0, thorax ? 10.0 : 5.0);
        const Vec2 path[] = {at, at + Vec2{std::cos(a), std::sin(a)} * len};
        const Rgba hair = mix(c.fur, c.hair, rng.uniform() * (thorax ? 1.0 : 0.5));
        kit::paint_stroke(image, path, 1.4, 0.6, 0.8, kit::with_alpha(hair, 0.8));
    }
    if (c.pattern == 1) {
        for (int i = 0; i < 14; ++i) {
            const Vec2 at{rng.range(0.05, 0.45) * width * (i % 2 ? 1.0 : 2.0), rng.range(0.02, thorax_end) * height};
            kit::paint_disc(image, at, rng.range(1.5, 3.0), 1.0, c.marks);
        }
    } else if (c.pattern == 2) {
        for (double side : {0.25, 0.75}) {
            kit::paint(image, kit::Box{0, static_cast<int>(head_end * height), width, height}, [&](double x, double) {
                const double d = std::fabs(x / width - side) * 20.0;
                return kit::with_alpha(c.marks, 0.85 * (1.0 - kit::smoothstep(0.6, 1.0, d)));
            });
        }
    }
    // Eyes on the sides of the head, and the dark patch antennae and legs use.
    for (double side : {0.25, 0.75}) {
        const Vec2 eye{side * width, head_end * 0.45 * height};
        kit::paint_ellipse(image, eye, {width * 0.09, height * 0.05}, 0.0, 1.5, hex(0x0c0a0a));
        kit::paint_disc(image, eye + Vec2{-2.0, -2.0}, 1.6, 1.0, hex(0x9a9aa8, 0.8f));
    }
    kit::paint(image, kit::Box{0, 0, width, static_cast<int>(0.03 * height) + 1},
               [](double, double) { return hex(0x100c0b); });
    return image;
}

kit::MeshRecord body_record() {
    std::vector<kit::ProfilePoint> profile;
    for (const Vec2& p : kBodyProfile) profile.push_back({p.x, p.y, (kHeadTip - p.y) / (kHeadTip - kTailTip)});
    kit::Mesh body = kit::lathe(profile, 10);
    // The lathe's axis is z; the body lies along x with its back up.
    kit::transform(body, kit::rotation_y(90.0));

    for (double side : {-1.0, 1.0}) {
        kit::append(body, limb({{7.6, 0.35 * side, 0.7}, {9.4, 1.0 * side, 1.8}, {11.4, 1.9 * side, 3.0},
                                {13.3, 2.8 * side, 3.9}, {14.6, 3.4 * side, 4.4}, {15.4, 3.7 * side, 4.6}},
                               {0.22, 0.2, 0.18, 0.16, 0.45, 0.2}, 4));
        for (int k = 0; k < 3; ++k) {
            const double x = 4.6 - 1.5 * k;
            const double reach = (k - 1) * 1.8;
            kit::append(body, limb({{x, 0.5 * side, -1.1}, {x + reach * 0.5, 2.3 * side, -2.0},
                                    {x + reach, 3.0 * side, -3.5}},
                                   {0.25, 0.2, 0.14}, 3));
        }
    }
    kit::transform(body, kit::scaling({kModelSize, kModelSize, kModelSize}));
    kit::MeshRecord r;
    r.texture = "body.jpg";
    r.material.ambient = {0.7f, 0.7f, 0.7f, 1.0f};
    r.material.diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
    r.material.specular = {0.35f, 0.35f, 0.35f, 1.0f};
    r.material.shininess = 40.0f;
    r.mesh = std::move(body);
    return r;
}

kit::MeshRecord wing_record() {
    const double reach = kWingReach;
    // A slight upward curl towards the tip gives the wing some shading.
    kit::Mesh wing = kit::surface(6, 6, [reach](double u, double v) {
        return Vec3{-reach + 2.0 * reach * u, 2.0 * reach * v, 0.6 * v * v};
    });
    kit::MeshRecord r;
    r.texture = "wing.png";
    r.material.alpha_test = true;
    r.material.ambient = {0.9f, 0.9f, 0.9f, 1.0f};
    r.material.diffuse = {0.9f, 0.9f, 0.9f, 1.0f};
    r.material.specular = {0.15f, 0.15f, 0.15f, 1.0f};
    r.material.shininess = 20.0f;
    // Both faces are seen as the wings beat; each layer's normals face its
    // own viewer so either side is lit alike.
    kit::transform(wing, kit::scaling({kModelSize, kModelSize, kModelSize}));
    r.mesh = kit::two_sided(wing, 0.15);
    return r;
}

void add_butterfly(Archive& archive, int species) {
    const kit::MeshRecord body = body_record();
    const kit::MeshRecord wing = wing_record();
    archive.entries.push_back({"brushko", kit::write_mesh_entry(std::span(&body, 1))});
    archive.entries.push_back({"krilo", kit::write_mesh_entry(std::span(&wing, 1))});
    archive.entries.push_back({"body.jpg", kit::encode_jpeg(paint_body(species, 128, 256), 90)});
    archive.entries.push_back({"wing.png", kit::encode_png(paint_wing(species, 256))});
}

}  // namespace content
