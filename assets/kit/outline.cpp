#include "outline.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace kit {

namespace {

bool painted(const Image& image, const PixelBox& box, Vec2 p) {
    const int x = static_cast<int>(std::floor(p.x)), y = static_cast<int>(std::floor(p.y));
    if (x < box.x || y < box.y || x >= box.x + box.width || y >= box.y + box.height) return false;
    return image.at(x, y).a >= 0.5f;
}

double corner_area(Vec2 a, Vec2 b, Vec2 c) { return std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)); }

}  // namespace

std::vector<Vec2> radial_outline(const Image& image, const PixelBox& box, Vec2 centre, int samples,
                               double max_gap) {
    samples = std::max(samples, 3);
    const double reach = std::hypot(double(box.width), double(box.height));
    std::vector<Vec2> outline;
    outline.reserve(static_cast<std::size_t>(samples));
    for (int i = 0; i < samples; ++i) {
        // Counter-clockwise on screen: image rows grow downwards.
        const double a = 2.0 * std::numbers::pi * i / samples;
        const Vec2 dir{std::cos(a), -std::sin(a)};
        Vec2 last = centre;
        double last_r = -1.0;  // no paint found yet
        for (double r = 0.0; r < reach && (last_r < 0.0 || r - last_r <= max_gap); r += 0.5) {
            const Vec2 p = centre + dir * r;
            if (!painted(image, box, p)) continue;
            last = p;
            last_r = r;
        }
        outline.push_back(last);
    }
    return outline;
}

std::vector<Vec2> simplify_outline(std::vector<Vec2> polygon, std::size_t keep) {
    keep = std::max<std::size_t>(keep, 3);
    while (polygon.size() > keep) {
        const std::size_t n = polygon.size();
        std::size_t weakest = 0;
        double least = std::numeric_limits<double>::max();
        for (std::size_t i = 0; i < n; ++i) {
            const double area = corner_area(polygon[(i + n - 1) % n], polygon[i], polygon[(i + 1) % n]);
            if (area < least) {
                least = area;
                weakest = i;
            }
        }
        polygon.erase(polygon.begin() + static_cast<std::ptrdiff_t>(weakest));
    }
    return polygon;
}

Mesh outline_card(Vec3 corner, Vec3 u, Vec3 v, const PixelBox& box, int image_width, int image_height,
                  std::span<const Vec2> polygon, Vec2 centre) {
    const Vec3 normal = normalized(cross(u, v));
    auto vertex = [&](Vec2 p) {
        const double a = (p.x - box.x) / box.width;
        const double b = 1.0 - (p.y - box.y) / box.height;
        return Vertex{corner + u * a + v * b, normal, {p.x / image_width, p.y / image_height}};
    };
    Mesh mesh;
    const Vertex middle = vertex(centre);
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Vertex a = vertex(polygon[i]), b = vertex(polygon[(i + 1) % polygon.size()]);
        // The polygon runs counter-clockwise seen from the normal's side, as
        // kit::quad's corners do.
        add_triangle(mesh, middle, a, b);
    }
    return mesh;
}

}  // namespace kit
