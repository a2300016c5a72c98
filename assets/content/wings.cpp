#include "wings.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "kit/noise.h"
#include "kit/paint.h"
#include "wing_patterns.h"

namespace content {

namespace {

using kit::Rgba;
using kit::Vec2;

constexpr double kPi = std::numbers::pi;

// Where a ray from inside the outline leaves it.
Vec2 ray_exit(const std::vector<Vec2>& outline, Vec2 from, double degrees) {
    const Vec2 d{std::cos(degrees * kPi / 180.0), std::sin(degrees * kPi / 180.0)};
    double best = 0.0;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const Vec2 a = outline[i], b = outline[(i + 1) % outline.size()];
        const Vec2 e = b - a;
        const double den = d.x * e.y - d.y * e.x;
        if (std::fabs(den) < 1e-12) continue;
        const Vec2 w = a - from;
        const double t = (w.x * e.y - w.y * e.x) / den;
        const double u = (w.x * d.y - w.y * d.x) / den;
        if (t > best && u >= 0.0 && u <= 1.0) best = t;
    }
    return from + d * best;
}

void paint_part(kit::Image& out, const Species& sp, const WingPart& part, bool fore, int size) {
    const double k = size / (2.0 * kWingReach);
    std::vector<Vec2> outline = kit::closed_spline(part.controls, 10);
    std::vector<Vec2> pixels;
    for (const Vec2& p : outline) pixels.push_back(wing_to_pixel(p, size));
    const kit::Mask mask = kit::polygon_mask(size, size, pixels, 4);
    const std::vector<float> edge = kit::distance_inside(mask);

    // How far the outline lies from the root, every half degree round it.
    std::vector<double> far(720);
    for (std::size_t i = 0; i < far.size(); ++i)
        far[i] = std::max(length(ray_exit(outline, part.root, i * 0.5 - 180.0) - part.root), 1e-6);

    kit::Image layer(size, size);
    const kit::ValueNoise scales{fore ? 801u : 802u};
    kit::paint_masked(layer, mask, [&](double x, double y) {
        const Vec2 p{x / k - kWingReach, 2.0 * kWingReach - y / k};
        const int ix = std::clamp(static_cast<int>(x), 0, size - 1), iy = std::clamp(static_cast<int>(y), 0, size - 1);
        const double e = edge[static_cast<std::size_t>(iy) * size + ix] / k;
        const Vec2 from_root = p - part.root;
        const double angle = std::atan2(from_root.y, from_root.x) * 180.0 / kPi;
        const std::size_t slot = std::min<std::size_t>(static_cast<std::size_t>((angle + 180.0) * 2.0), far.size() - 1);
        const Spot s{p, e, std::clamp(length(from_root) / far[slot], 0.0, 1.0), fore};
        const Rgba c = sp.ground(s);
        // A soft shimmer of scales.
        return kit::shade(c, 0.95 + 0.1 * kit::fbm(scales, x * 0.08, y * 0.08, 3));
    });

    for (int i = 0; i < part.veins; ++i) {
        const double a = part.first_vein + (part.last_vein - part.first_vein) * i / std::max(part.veins - 1, 1);
        const Vec2 end = ray_exit(outline, part.root, a);
        const Vec2 mid = part.root + (end - part.root) * 0.45;
        // Veins bow gently towards the wing's middle.
        const Vec2 bend = Vec2{-(end - part.root).y, (end - part.root).x} * (0.04 * (i % 2 == 0 ? 1.0 : -1.0));
        const Vec2 path[] = {wing_to_pixel(part.root, size), wing_to_pixel(mid + bend, size), wing_to_pixel(end, size)};
        kit::paint_stroke(layer, path, sp.vein_width * k, sp.vein_width * 0.4 * k, 1.0, sp.vein);
    }
    sp.marks(layer, fore, size);
    kit::clip_to_mask(layer, mask);
    kit::draw_image(out, layer, 0, 0);
}

}  // namespace

kit::Vec2 wing_to_pixel(kit::Vec2 p, int size) {
    const double k = size / (2.0 * kWingReach);
    return {(p.x + kWingReach) * k, (2.0 * kWingReach - p.y) * k};
}

kit::Image paint_wing(int species, int size) {
    const Species s = wing_species(species);
    kit::Image image(size, size);
    paint_part(image, s, s.hind, false, size);
    paint_part(image, s, s.fore, true, size);
    kit::bleed_edges(image, 8);
    return image;
}

}  // namespace content
