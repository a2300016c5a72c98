#include "flower_bed.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "flower_habits.h"
#include "ground.h"
#include "kit/image_codec.h"
#include "kit/outline.h"
#include "kit/rng.h"
#include "kit/shapes.h"
#include "kit/transform.h"
#include "scene_layout.h"

namespace content {

namespace {

using kit::Mesh;
using kit::Vec3;

constexpr double kPi = std::numbers::pi;
constexpr Vec3 kUp{0.0, 0.0, 1.0};

// Normals of foliage are bent towards the sky, so cards lit from any side
// read as part of a sunny meadow rather than as flat sheets.
void lift_normals(Mesh& mesh, double amount) {
    for (kit::Triangle& t : mesh.triangles)
        for (kit::Vertex& v : t.v) v.normal = kit::normalized(v.normal * (1.0 - amount) + kUp * amount);
}

// Maps a shape's x-y footprint (within +-half) planar onto an image.
void map_onto(Mesh& mesh, const kit::UvRect& uv, double half) {
    for (kit::Triangle& t : mesh.triangles)
        for (kit::Vertex& v : t.v) {
            const double s = 0.5 + v.position.x / (2.0 * half);
            const double tt = 0.5 - v.position.y / (2.0 * half);
            v.texcoord = {uv.s0 + (uv.s1 - uv.s0) * s, uv.t0 + (uv.t1 - uv.t0) * tt};
        }
}

// Every picture of the atlas, painted once and shared by all the outlines.
const kit::Image& flora() {
    static const kit::Image atlas = paint_flora_atlas();
    return atlas;
}

kit::PixelBox box_of(const Cell& c) { return {c.x, c.y, c.width, c.height}; }

kit::Vec2 middle_of(const Cell& c) { return {c.x + c.width * 0.5, c.y + c.height * 0.5}; }

// The painted shape in cell, read round its middle and cut down to corners.
std::vector<kit::Vec2> outline_of(const Cell& cell, int corners) {
    return kit::simplify_outline(kit::radial_outline(flora(), box_of(cell), middle_of(cell), 360, 6.0),
                                 static_cast<std::size_t>(corners));
}

const std::vector<kit::Vec2>& bloom_outline(Bloom kind) {
    static const std::vector<std::vector<kit::Vec2>> outlines = [] {
        std::vector<std::vector<kit::Vec2>> all;
        for (int i = 0; i < kBloomKinds; ++i)
            all.push_back(outline_of(bloom_cell(Bloom(i)), habit_of(Bloom(i)).outline_points));
        return all;
    }();
    return outlines[static_cast<std::size_t>(kind)];
}

const std::vector<kit::Vec2>& foliage_outline(Foliage kind) {
    static const std::vector<kit::Vec2> lance = outline_of(foliage_cell(Foliage::leaf_lance), 5);
    static const std::vector<kit::Vec2> broad = outline_of(foliage_cell(Foliage::leaf_broad), 6);
    static const std::vector<kit::Vec2> trefoil = outline_of(foliage_cell(Foliage::trefoil), 9);
    return kind == Foliage::leaf_lance ? lance : kind == Foliage::leaf_broad ? broad : trefoil;
}

// A card of the atlas cut to its painted outline.
Mesh cut_card(Vec3 corner, Vec3 u, Vec3 v, const Cell& cell, const std::vector<kit::Vec2>& outline) {
    return kit::outline_card(corner, u, v, box_of(cell), kAtlasSize, kAtlasSize, outline, middle_of(cell));
}

// The head on the polygon of its painted outline, shaped as a shallow cone
// or cup through the habit's centre, inner ring and rim heights.
Mesh head_mesh(const Flower& f) {
    const Habit& h = habit_of(f.kind);
    const Cell cell = bloom_cell(f.kind);
    // The painted disc (kHeadFill of the cell) is the petal radius.
    const double half = f.radius * 0.5 / kHeadFill;
    Mesh m = cut_card({-half, -half, 0.0}, {2.0 * half, 0.0, 0.0}, {0.0, 2.0 * half, 0.0}, cell,
                      bloom_outline(f.kind));
    const double r_inner = h.inner * half, z_centre = h.centre_z * f.radius, z_inner = h.inner_z * f.radius,
                 z_rim = h.rim_z * f.radius;
    for (kit::Triangle& t : m.triangles)
        for (kit::Vertex& v : t.v) {
            const double r = std::hypot(v.position.x, v.position.y);
            const bool inside = r < r_inner;
            const double slope = inside ? (z_inner - z_centre) / r_inner : (z_rim - z_inner) / (half - r_inner);
            v.position.z = inside ? z_centre + slope * r : z_inner + slope * (r - r_inner);
            const Vec3 out = r > 0.0 ? Vec3{v.position.x / r, v.position.y / r, 0.0} : Vec3{};
            v.normal = kit::normalized(kUp - out * slope);
        }
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
    Mesh m = cut_card(at - side * (width * 0.5), side * width, out * size, cell, foliage_outline(kind));
    for (kit::Triangle& t : m.triangles)
        for (kit::Vertex& v : t.v)
            if (v.normal.z < 0.0) v.normal = -v.normal;
    lift_normals(m, 0.5);
    return m;
}

// A tuft of grass blades standing round p, each a single triangle from one
// band of the blade strip, fanning outwards and leaning by lean (radians)
// towards lean_azimuth.
Mesh tuft_mesh(kit::Rng& rng, Vec3 p, double height, double lean_azimuth, double lean, Foliage kind) {
    const Cell cell = foliage_cell(kind);
    const kit::UvRect uv = uv_of(cell);
    constexpr int kBands = 8;
    const Vec3 lean_dir{std::cos(lean_azimuth) * std::sin(lean), std::sin(lean_azimuth) * std::sin(lean), 0.0};
    const int blades = kind == Foliage::grass_tall ? 7 : 5;
    Mesh m;
    for (int i = 0; i < blades; ++i) {
        const double a = rng.range(0.0, 2.0 * kPi);
        const Vec3 out{std::cos(a), std::sin(a), 0.0};
        const Vec3 side{-out.y, out.x, 0.0};
        const Vec3 base = p + out * (height * 0.18 * rng.uniform()) - kUp * 0.15;
        const double tall = height * rng.range(0.5, 1.0);
        const Vec3 tip = base + kUp * tall + (out * rng.range(0.1, 0.45) + lean_dir) * tall;
        const double width = height * rng.range(0.05, 0.08);
        const int band = rng.chance(0.08) ? kBands - 1 : rng.below(kBands - 1);
        const double s0 = uv.s0 + (uv.s1 - uv.s0) * (band + 0.2) / kBands;
        const double s1 = uv.s0 + (uv.s1 - uv.s0) * (band + 0.8) / kBands;
        const double t_tip = uv.t0 + (uv.t1 - uv.t0) * 0.05, t_base = uv.t1 - (uv.t1 - uv.t0) * 0.05;
        const Vec3 n = kit::normalized(kit::cross(side, tip - base));
        kit::add_triangle(m, {base - side * (width * 0.5), n, {s0, t_base}}, {base + side * (width * 0.5), n, {s1, t_base}},
                          {tip, n, {(s0 + s1) * 0.5, t_tip}});
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

void sort_top_down(Mesh& mesh) {
    auto height = [](const kit::Triangle& t) { return t.v[0].position.z + t.v[1].position.z + t.v[2].position.z; };
    std::stable_sort(mesh.triangles.begin(), mesh.triangles.end(),
                     [&](const kit::Triangle& a, const kit::Triangle& b) { return height(a) > height(b); });
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
                Mesh leaf = cut_card({-0.5, -0.5, 0.0}, {1.0, 0.0, 0.0}, {0.0, 1.0, 0.0},
                                     foliage_cell(Foliage::trefoil), foliage_outline(Foliage::trefoil));
                kit::transform(leaf, kit::translation(f.base + Vec3{rng.range(-0.6, 0.6), rng.range(-0.6, 0.6),
                                                                    rng.range(0.8, 1.8)}) *
                                         kit::rotation_z(rng.range(0.0, 360.0)) * kit::scaling({1.1, 1.1, 1.0}));
                kit::append(foliage, leaf);
            }
        } else {
            const int leaves = rng.chance(0.5) ? 2 : 1;
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
    for (int i = 0; i < 120; ++i) {
        const double r = (kBedRadius - 0.6) * std::sqrt(rng.uniform());
        const double a = rng.range(0.0, 2.0 * kPi);
        const Vec3 p{r * std::cos(a), r * std::sin(a), 0.5 * (1.0 - (r / kBedRadius) * (r / kBedRadius))};
        const bool tall = rng.chance(0.6);
        const double height = tall ? rng.range(2.0, 3.6) : rng.range(1.3, 2.2);
        const double lean = rng.range(0.0, 0.25);
        kit::append(foliage, tuft_mesh(rng, p, height, a, lean, tall ? Foliage::grass_tall : Foliage::grass_short));
    }
    const int fringe = 110;
    for (int i = 0; i < fringe; ++i) {
        const double a = (i + rng.range(-0.3, 0.3)) * 2.0 * kPi / fringe;
        const double r = kBedRadius - rng.range(0.1, 0.6);
        const Vec3 p{r * std::cos(a), r * std::sin(a), 0.0};
        const double height = rng.range(1.4, 2.6);
        const double lean = rng.range(0.35, 0.7);
        const Foliage kind = rng.chance(0.5) ? Foliage::grass_tall : Foliage::grass_short;
        kit::append(foliage, tuft_mesh(rng, p, height, a, lean, kind));
    }

    // Nearest first: the bed is seen from above, so drawing the high parts
    // before the low ones lets the depth test skip most hidden pixels.
    sort_top_down(blooms);
    sort_top_down(foliage);
    std::vector<kit::MeshRecord> records(4);
    records[0] = {"flora.png", material(0.9, 0.9, 0.15, 24.0, false), std::move(blooms)};
    records[1] = {"flora.png", material(0.85, 0.9, 0.05, 8.0, false), std::move(foliage)};
    records[2] = {"ground.jpg", material(0.8, 0.85, 0.0, 0.0, false), turf_top()};
    records[3] = {"soil.jpg", material(0.8, 0.85, 0.0, 0.0, false), turf_side()};
    return records;
}

void add_flower_bed(Archive& archive) {
    const std::vector<kit::MeshRecord> records = flower_bed_records(plant_flowers());
    archive.entries.push_back({"flowers", kit::write_mesh_entry(records)});
    archive.entries.push_back({"ground.jpg", kit::encode_jpeg(paint_ground(1024), 85)});
    archive.entries.push_back({"soil.jpg", kit::encode_jpeg(paint_soil(512, 128), 88)});
    archive.entries.push_back({"flora.png", kit::encode_png_rgb(flora())});
}

}  // namespace content
