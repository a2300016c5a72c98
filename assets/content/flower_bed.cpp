#include "flower_bed.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ground.h"
#include "kit/image_codec.h"
#include "kit/noise.h"
#include "kit/rng.h"
#include "kit/shapes.h"
#include "kit/transform.h"
#include "scene_layout.h"

namespace content {

namespace {

using kit::Mesh;
using kit::Vec2;
using kit::Vec3;

constexpr double kPi = std::numbers::pi;
constexpr Vec3 kUp{0.0, 0.0, 1.0};

// How a kind of flower grows: head size, stem height and head shape (heights
// of the head's centre, inner ring and rim, as fractions of its radius).
struct Habit {
    Bloom kind;
    double share;  // how common, before the patches shift it
    double radius_lo, radius_hi;
    double height_lo, height_hi;
    double centre_z, inner, inner_z, rim_z;
    bool broad_leaves;
};

constexpr Habit kHabits[] = {
    {Bloom::daisy, 0.17, 0.75, 0.95, 5.5, 9.0, 0.14, 0.28, 0.05, -0.04, false},
    {Bloom::chamomile, 0.06, 0.5, 0.65, 4.0, 7.0, 0.3, 0.36, 0.12, -0.18, false},
    {Bloom::poppy, 0.11, 0.95, 1.25, 6.0, 9.5, -0.06, 0.3, 0.02, 0.32, false},
    {Bloom::poppy_orange, 0.04, 0.9, 1.15, 6.0, 9.0, -0.06, 0.3, 0.02, 0.3, false},
    {Bloom::cornflower, 0.11, 0.6, 0.75, 5.5, 8.5, 0.1, 0.3, 0.08, 0.14, false},
    {Bloom::buttercup, 0.12, 0.45, 0.6, 4.0, 7.5, 0.0, 0.35, 0.1, 0.38, true},
    {Bloom::cosmos_pink, 0.07, 0.95, 1.15, 6.5, 10.0, 0.08, 0.2, 0.02, 0.0, false},
    {Bloom::cosmos_magenta, 0.05, 0.9, 1.1, 6.5, 10.0, 0.08, 0.2, 0.02, 0.0, false},
    {Bloom::clover, 0.1, 0.42, 0.52, 2.2, 4.0, 0.65, 0.55, 0.45, 0.0, true},
    {Bloom::scabious, 0.06, 0.75, 0.9, 5.5, 9.0, 0.2, 0.48, 0.15, 0.05, false},
    {Bloom::coneflower, 0.04, 1.1, 1.35, 7.0, 10.0, 0.3, 0.34, 0.1, -0.35, true},
    {Bloom::bellflower, 0.06, 0.55, 0.7, 4.5, 7.5, -0.35, 0.3, -0.12, 0.12, true},
};

const Habit& habit_of(Bloom kind) {
    for (const Habit& h : kHabits)
        if (h.kind == kind) return h;
    return kHabits[0];
}

// Tallest head allowed at distance r from the centre: the meadow rises towards
// the middle and stays low where the butterflies circle near the rim.
double height_limit(double r) { return 10.2 - 5.0 * (r / kBedRadius) * (r / kBedRadius); }

constexpr double kRestingRadius = 1.7;
constexpr double kRestingClearance = 0.35;  // from the body's axis down to the cone's tip

Flower resting_flower() {
    const Habit& h = habit_of(Bloom::coneflower);
    Flower f;
    f.kind = Bloom::coneflower;
    f.radius = kRestingRadius;
    f.facing = kRestingUp;
    f.head = kRestingBody - kRestingUp * (kRestingClearance + h.centre_z * kRestingRadius);
    f.base = {0.0, f.head.y + 2.2, 0.0};
    f.spin = 10.0;
    return f;
}

// Picks a kind for a place: each kind is common in its own patches.
Bloom pick_kind(kit::Rng& rng, Vec2 p) {
    double weights[std::size(kHabits)];
    double total = 0.0;
    for (std::size_t i = 0; i < std::size(kHabits); ++i) {
        const kit::ValueNoise patch{static_cast<std::uint32_t>(300 + i)};
        const double n = kit::value_noise(patch, p.x / 7.0 + 50.0, p.y / 7.0 + 50.0);
        weights[i] = kHabits[i].share * (0.15 + 1.7 * n * n);
        total += weights[i];
    }
    double pick = rng.uniform() * total;
    for (std::size_t i = 0; i < std::size(kHabits); ++i) {
        pick -= weights[i];
        if (pick <= 0.0) return kHabits[i].kind;
    }
    return kHabits[0].kind;
}

// Normals of foliage are bent towards the sky, so cards lit from any side
// read as part of a sunny meadow rather than as flat sheets.
void lift_normals(Mesh& mesh, double amount) {
    for (kit::Triangle& t : mesh.triangles)
        for (kit::Vertex& v : t.v) v.normal = kit::normalized(v.normal * (1.0 - amount) + kUp * amount);
}

// Maps a shape's x-y footprint (within +-half) planar onto an atlas cell.
void map_onto(Mesh& mesh, const kit::UvRect& uv, double half) {
    for (kit::Triangle& t : mesh.triangles)
        for (kit::Vertex& v : t.v) {
            const double s = 0.5 + v.position.x / (2.0 * half);
            const double tt = 0.5 - v.position.y / (2.0 * half);
            v.texcoord = {uv.s0 + (uv.s1 - uv.s0) * s, uv.t0 + (uv.t1 - uv.t0) * tt};
        }
}

Mesh head_mesh(const Flower& f) {
    const Habit& h = habit_of(f.kind);
    // The hexagon's inscribed circle just holds the painted disc, and its
    // corners stay inside the cell.
    const double half = f.radius * 0.5 / kHeadFill;
    const bool small = f.radius < 0.65;
    std::vector<kit::ProfilePoint> profile{{0.0, h.centre_z * f.radius, 0.0}};
    if (!small) profile.push_back({h.inner * half, h.inner_z * f.radius, 0.0});
    profile.push_back({half, h.rim_z * f.radius, 0.0});
    Mesh m = kit::lathe(profile, 6);
    map_onto(m, uv_of(bloom_cell(f.kind)), half);
    lift_normals(m, 0.35);
    kit::transform(m, kit::translation(f.head) * kit::aim_z(f.facing) * kit::rotation_z(f.spin));
    return m;
}

// Two crossed cards from base to top, width wide, textured with the stem strip.
Mesh stem_mesh(Vec3 base, Vec3 top, double width) {
    const kit::UvRect uv = uv_of(foliage_cell(Foliage::stem));
    const kit::UvRect inner{uv.s0 + (uv.s1 - uv.s0) * 0.1, uv.t0 + (uv.t1 - uv.t0) * 0.1,
                            uv.s1 - (uv.s1 - uv.s0) * 0.1, uv.t1 - (uv.t1 - uv.t0) * 0.1};
    const Vec3 axis = top - base;
    const Vec3 across = kit::normalized(kit::cross(axis, Vec3{0.3, 1.0, 0.0}));
    const Vec3 across2 = kit::normalized(kit::cross(axis, across));
    Mesh m;
    for (Vec3 a : {across, across2}) kit::append(m, kit::quad(base - a * (width * 0.5), a * width, axis, inner));
    lift_normals(m, 0.7);
    return m;
}

// A leaf card rising from the stem at point, reaching out along azimuth
// (radians) at the given elevation (radians above the ground).
Mesh leaf_mesh(Vec3 at, double azimuth, double elevation, double size, Foliage kind) {
    const Cell cell = foliage_cell(kind);
    const double width = size * cell.width / cell.height;
    const Vec3 out{std::cos(azimuth) * std::cos(elevation), std::sin(azimuth) * std::cos(elevation),
                   std::sin(elevation)};
    const Vec3 side{-std::sin(azimuth), std::cos(azimuth), 0.0};
    Mesh m = kit::quad(at - side * (width * 0.5), side * width, out * size, uv_of(cell));
    for (kit::Triangle& t : m.triangles)
        for (kit::Vertex& v : t.v)
            if (v.normal.z < 0.0) v.normal = -v.normal;
    lift_normals(m, 0.5);
    return m;
}

// Two crossed grass cards standing at p, leaning outwards by lean (radians).
Mesh tuft_mesh(Vec3 p, double height, double turn, double lean_azimuth, double lean, Foliage kind) {
    const Cell cell = foliage_cell(kind);
    const double width = height * cell.width / cell.height;
    const Vec3 up = kit::normalized(
        Vec3{std::cos(lean_azimuth) * std::sin(lean), std::sin(lean_azimuth) * std::sin(lean), std::cos(lean)});
    Mesh m;
    for (int k = 0; k < 2; ++k) {
        const double a = turn + k * kPi * 0.5;
        const Vec3 across{std::cos(a) * width, std::sin(a) * width, 0.0};
        kit::append(m, kit::quad(p - across * 0.5 - up * 0.15, across, up * height, uv_of(cell)));
    }
    lift_normals(m, 0.75);
    return m;
}

// The turf: a shallow dome on top and a rounded clump of earth below it.
Mesh turf_top() {
    std::vector<kit::ProfilePoint> profile;
    for (int i = 0; i <= 4; ++i) {
        const double r = kBedRadius * i / 4.0;
        profile.push_back({r, 0.5 * (1.0 - (r / kBedRadius) * (r / kBedRadius)), 0.0});
    }
    Mesh m = kit::lathe(profile, 64);
    map_onto(m, {0.0, 0.0, 1.0, 1.0}, kBedRadius);
    return m;
}

Mesh turf_side() {
    const double R = kBedRadius;
    const std::vector<kit::ProfilePoint> profile{
        {R * 0.6, -3.9, 1.0}, {R - 2.6, -3.4, 0.85}, {R - 1.0, -2.6, 0.6}, {R - 0.1, -1.6, 0.35},
        {R + 0.15, -0.5, 0.1}, {R, 0.0, 0.0}};
    Mesh m = kit::lathe(profile, 48);
    // The soil strip wraps round three times.
    for (kit::Triangle& t : m.triangles)
        for (kit::Vertex& v : t.v) v.texcoord.x *= 3.0;
    return m;
}

kit::Material material(double ambient, double diffuse, double specular, double shininess, bool alpha_test) {
    kit::Material m;
    m.alpha_test = alpha_test;
    const float a = static_cast<float>(ambient), d = static_cast<float>(diffuse), s = static_cast<float>(specular);
    m.ambient = {a, a, a, 1.0f};
    m.diffuse = {d, d, d, 1.0f};
    m.specular = {s, s, s, 1.0f};
    m.shininess = static_cast<float>(shininess);
    return m;
}

}  // namespace

std::vector<Flower> plant_flowers() {
    std::vector<Flower> flowers{resting_flower()};
    kit::Rng rng(2024);
    const Vec2 resting{kRestingBody.x, kRestingBody.y};
    constexpr int kWanted = 340;
    for (int attempt = 0; attempt < 40000 && static_cast<int>(flowers.size()) < kWanted; ++attempt) {
        const double r = (kBedRadius - 0.9) * std::sqrt(rng.uniform());
        const double a = rng.range(0.0, 2.0 * kPi);
        const Vec2 p{r * std::cos(a), r * std::sin(a)};
        const Habit& h = habit_of(pick_kind(rng, p));
        const double radius = rng.range(h.radius_lo, h.radius_hi);
        double height = std::min(rng.range(h.height_lo, h.height_hi), height_limit(r));
        // Keep the air round the resting butterfly clear.
        if (length(p - resting) < 4.5) height = std::min(height, 6.0);
        if (length(p - resting) < 2.2) continue;
        bool crowded = false;
        for (const Flower& f : flowers) {
            const double d = length(Vec2{f.base.x, f.base.y} - p);
            const double gap = std::fabs(f.head.z - height) < 1.5 ? 0.8 * (f.radius + radius) : 0.55;
            if (d < gap) {
                crowded = true;
                break;
            }
        }
        if (crowded) continue;
        Flower f;
        f.kind = h.kind;
        f.radius = radius;
        f.base = {p.x, p.y, 0.0};
        // Heads nod a little, and lean outwards near the rim.
        const double tilt = rng.range(0.0, 0.3) + 0.35 * (r / kBedRadius) * (r / kBedRadius);
        const double toward = r > 1.0 ? std::atan2(p.y, p.x) + rng.range(-0.8, 0.8) : rng.range(0.0, 2.0 * kPi);
        f.facing = kit::normalized(Vec3{std::cos(toward) * std::sin(tilt), std::sin(toward) * std::sin(tilt),
                                        std::cos(tilt)});
        f.head = Vec3{p.x, p.y, height} + Vec3{f.facing.x, f.facing.y, 0.0} * 0.8;
        f.spin = rng.range(0.0, 360.0);
        flowers.push_back(f);
    }
    return flowers;
}

std::vector<kit::MeshRecord> flower_bed_records(const std::vector<Flower>& flowers) {
    kit::Rng rng(77);
    Mesh foliage;
    Mesh blooms;
    for (const Flower& f : flowers) {
        const Habit& h = habit_of(f.kind);
        const Vec3 neck = f.head - f.facing * (0.1 * f.radius);
        kit::append(foliage, stem_mesh(f.base - Vec3{0, 0, 0.3}, neck, 0.1 + 0.05 * f.radius));
        const double height = f.head.z;
        if (f.kind == Bloom::clover) {
            for (int k = 0; k < 2; ++k) {
                Mesh leaf = kit::quad({-0.5, -0.5, 0.0}, {1.0, 0.0, 0.0}, {0.0, 1.0, 0.0},
                                      uv_of(foliage_cell(Foliage::trefoil)));
                kit::transform(leaf, kit::translation(f.base + Vec3{rng.range(-0.6, 0.6), rng.range(-0.6, 0.6),
                                                                    rng.range(0.8, 1.8)}) *
                                         kit::rotation_z(rng.range(0.0, 360.0)) * kit::scaling({1.1, 1.1, 1.0}));
                kit::append(foliage, leaf);
            }
        } else {
            const int leaves = 2;
            const double first = rng.range(0.0, 2.0 * kPi);
            for (int k = 0; k < leaves; ++k) {
                const double along = rng.range(0.12, 0.45);
                const Vec3 at = lerp(f.base, neck, along);
                kit::append(foliage, leaf_mesh(at, first + k * kPi + rng.range(-0.5, 0.5), rng.range(0.35, 0.9),
                                               rng.range(1.4, 2.2) * (0.7 + 0.3 * height / 8.0),
                                               h.broad_leaves ? Foliage::leaf_broad : Foliage::leaf_lance));
            }
        }
        kit::append(blooms, head_mesh(f));
    }
    // Grass over the whole bed, and a fringe leaning out over the rim.
    for (int i = 0; i < 300; ++i) {
        const double r = (kBedRadius - 0.6) * std::sqrt(rng.uniform());
        const double a = rng.range(0.0, 2.0 * kPi);
        const Vec3 p{r * std::cos(a), r * std::sin(a), 0.5 * (1.0 - (r / kBedRadius) * (r / kBedRadius))};
        const bool tall = rng.chance(0.6);
        kit::append(foliage, tuft_mesh(p, tall ? rng.range(2.0, 3.6) : rng.range(1.3, 2.2), rng.range(0.0, kPi), a,
                                       rng.range(0.0, 0.25), tall ? Foliage::grass_tall : Foliage::grass_short));
    }
    const int fringe = 110;
    for (int i = 0; i < fringe; ++i) {
        const double a = (i + rng.range(-0.3, 0.3)) * 2.0 * kPi / fringe;
        const double r = kBedRadius - rng.range(0.1, 0.6);
        const Vec3 p{r * std::cos(a), r * std::sin(a), 0.0};
        kit::append(foliage, tuft_mesh(p, rng.range(1.4, 2.6), a + kPi * 0.25, a, rng.range(0.35, 0.7),
                                       rng.chance(0.5) ? Foliage::grass_tall : Foliage::grass_short));
    }

    std::vector<kit::MeshRecord> records(4);
    records[0] = {"ground.jpg", material(0.8, 0.85, 0.0, 0.0, false), turf_top()};
    records[1] = {"soil.jpg", material(0.8, 0.85, 0.0, 0.0, false), turf_side()};
    records[2] = {"flora.png", material(0.85, 0.9, 0.05, 8.0, true), std::move(foliage)};
    records[3] = {"flora.png", material(0.9, 0.9, 0.15, 24.0, true), std::move(blooms)};
    return records;
}

void add_flower_bed(Archive& archive) {
    const std::vector<kit::MeshRecord> records = flower_bed_records(plant_flowers());
    archive.entries.push_back({"flowers", kit::write_mesh_entry(records)});
    archive.entries.push_back({"ground.jpg", kit::encode_jpeg(paint_ground(512), 88)});
    archive.entries.push_back({"soil.jpg", kit::encode_jpeg(paint_soil(512, 128), 88)});
    archive.entries.push_back({"flora.png", kit::encode_png(paint_flora_atlas())});
}

}  // namespace content
