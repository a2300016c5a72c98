#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace kit {

namespace {

constexpr double kTau = 2.0 * std::numbers::pi;

Vec2 map_uv(const UvRect& uv, double s, double t) {
    return {uv.s0 + (uv.s1 - uv.s0) * s, uv.t0 + (uv.t1 - uv.t0) * t};
}

double signed_area(std::span<const Vec2> poly) {
    double a = 0.0;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const Vec2 p = poly[i];
        const Vec2 q = poly[(i + 1) % poly.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return a * 0.5;
}

bool inside_triangle(Vec2 p, Vec2 a, Vec2 b, Vec2 c) {
    auto side = [](Vec2 o, Vec2 e, Vec2 q) { return (e.x - o.x) * (q.y - o.y) - (e.y - o.y) * (q.x - o.x); };
    return side(a, b, p) >= 0.0 && side(b, c, p) >= 0.0 && side(c, a, p) >= 0.0;
}

// Ear clipping of a counter-clockwise simple polygon into index triples.
std::vector<std::array<std::size_t, 3>> triangulate(std::span<const Vec2> poly) {
    std::vector<std::size_t> left(poly.size());
    for (std::size_t i = 0; i < left.size(); ++i) left[i] = i;
    std::vector<std::array<std::size_t, 3>> out;
    std::size_t guard = 0;
    while (left.size() > 3 && guard < poly.size() * poly.size()) {
        ++guard;
        bool clipped = false;
        for (std::size_t i = 0; i < left.size(); ++i) {
            const std::size_t ia = left[(i + left.size() - 1) % left.size()];
            const std::size_t ib = left[i];
            const std::size_t ic = left[(i + 1) % left.size()];
            const Vec2 a = poly[ia], b = poly[ib], c = poly[ic];
            const double turn = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
            if (turn <= 0.0) continue;  // reflex or flat corner: not an ear
            bool blocked = false;
            for (std::size_t j : left) {
                if (j == ia || j == ib || j == ic) continue;
                if (inside_triangle(poly[j], a, b, c)) {
                    blocked = true;
                    break;
                }
            }
            if (blocked) continue;
            out.push_back({ia, ib, ic});
            left.erase(left.begin() + static_cast<std::ptrdiff_t>(i));
            clipped = true;
            break;
        }
        if (!clipped) break;  // degenerate outline: keep what was found
    }
    if (left.size() == 3) out.push_back({left[0], left[1], left[2]});
    return out;
}

// Any unit vector perpendicular to d.
Vec3 perpendicular(Vec3 d) {
    const Vec3 helper = std::fabs(d.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
    return normalized(cross(d, helper));
}

}  // namespace

Mesh quad(Vec3 corner, Vec3 u, Vec3 v, UvRect uv) {
    const Vec3 n = normalized(cross(u, v));
    Mesh m;
    add_quad(m, Vertex{corner, n, {uv.s0, uv.t1}}, Vertex{corner + u, n, {uv.s1, uv.t1}},
             Vertex{corner + u + v, n, {uv.s1, uv.t0}}, Vertex{corner + v, n, {uv.s0, uv.t0}});
    return m;
}

Mesh disc(double radius, int segments, UvRect uv) {
    Mesh m;
    const Vec3 n{0, 0, 1};
    auto vertex = [&](double x, double y) {
        return Vertex{{x, y, 0.0}, n, map_uv(uv, 0.5 + 0.5 * x / radius, 0.5 - 0.5 * y / radius)};
    };
    for (int i = 0; i < segments; ++i) {
        const double a0 = kTau * i / segments;
        const double a1 = kTau * (i + 1) / segments;
        add_triangle(m, vertex(0, 0), vertex(radius * std::cos(a0), radius * std::sin(a0)),
                     vertex(radius * std::cos(a1), radius * std::sin(a1)));
    }
    return m;
}

Mesh surface(int nu, int nv, const std::function<Vec3(double u, double v)>& point, UvRect uv) {
    std::vector<Vec3> p((nu + 1) * (nv + 1));
    auto at = [&](int i, int j) -> Vec3& { return p[j * (nu + 1) + i]; };
    for (int j = 0; j <= nv; ++j)
        for (int i = 0; i <= nu; ++i) at(i, j) = point(double(i) / nu, double(j) / nv);
    auto normal = [&](int i, int j) {
        const Vec3 du = at(std::min(i + 1, nu), j) - at(std::max(i - 1, 0), j);
        const Vec3 dv = at(i, std::min(j + 1, nv)) - at(i, std::max(j - 1, 0));
        return normalized(cross(du, dv));
    };
    auto vertex = [&](int i, int j) {
        return Vertex{at(i, j), normal(i, j), map_uv(uv, double(i) / nu, 1.0 - double(j) / nv)};
    };
    Mesh m;
    for (int j = 0; j < nv; ++j)
        for (int i = 0; i < nu; ++i)
            add_quad(m, vertex(i, j), vertex(i + 1, j), vertex(i + 1, j + 1), vertex(i, j + 1));
    return m;
}

Mesh lathe(std::span<const ProfilePoint> profile, int segments) {
    Mesh m;
    const std::size_t n = profile.size();
    if (n < 2 || segments < 3) return m;
    // Profile normals in the (radius, z) half-plane, averaged over the two
    // neighbouring edges so the surface shades smoothly.
    std::vector<Vec2> pn(n);
    for (std::size_t i = 0; i < n; ++i) {
        const ProfilePoint& a = profile[i == 0 ? 0 : i - 1];
        const ProfilePoint& b = profile[i + 1 < n ? i + 1 : n - 1];
        const Vec2 tangent{b.radius - a.radius, b.z - a.z};
        const double l = length(tangent);
        pn[i] = l > 0.0 ? Vec2{tangent.y / l, -tangent.x / l} : Vec2{1.0, 0.0};
    }
    auto vertex = [&](std::size_t i, int k) {
        const double a = kTau * k / segments;
        const double c = std::cos(a), s = std::sin(a);
        const ProfilePoint& p = profile[i];
        return Vertex{{p.radius * c, p.radius * s, p.z}, {pn[i].x * c, pn[i].x * s, pn[i].y},
                      {double(k) / segments, p.t}};
    };
    for (std::size_t i = 0; i + 1 < n; ++i) {
        for (int k = 0; k < segments; ++k) {
            const Vertex a = vertex(i, k), b = vertex(i, k + 1);
            const Vertex c = vertex(i + 1, k + 1), d = vertex(i + 1, k);
            if (profile[i].radius == 0.0)
                add_triangle(m, a, c, d);
            else if (profile[i + 1].radius == 0.0)
                add_triangle(m, a, b, c);
            else
                add_quad(m, a, b, c, d);
        }
    }
    return m;
}

Mesh extrude(std::span<const Vec2> outline, double depth) {
    Mesh m;
    if (outline.size() < 3) return m;
    std::vector<Vec2> poly(outline.begin(), outline.end());
    if (signed_area(poly) < 0.0) std::reverse(poly.begin(), poly.end());

    Vec2 lo = poly[0], hi = poly[0];
    for (const Vec2& p : poly) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
    }
    auto cap_uv = [&](Vec2 p) {
        return Vec2{hi.x > lo.x ? (p.x - lo.x) / (hi.x - lo.x) : 0.0,
                    hi.y > lo.y ? (hi.y - p.y) / (hi.y - lo.y) : 0.0};
    };
    for (const auto& tri : triangulate(poly)) {
        const Vec2 a = poly[tri[0]], b = poly[tri[1]], c = poly[tri[2]];
        add_triangle(m, Vertex{{a.x, a.y, depth}, {0, 0, 1}, cap_uv(a)},
                     Vertex{{b.x, b.y, depth}, {0, 0, 1}, cap_uv(b)},
                     Vertex{{c.x, c.y, depth}, {0, 0, 1}, cap_uv(c)});
        add_triangle(m, Vertex{{a.x, a.y, 0.0}, {0, 0, -1}, cap_uv(a)},
                     Vertex{{c.x, c.y, 0.0}, {0, 0, -1}, cap_uv(c)},
                     Vertex{{b.x, b.y, 0.0}, {0, 0, -1}, cap_uv(b)});
    }
    double perimeter = 0.0;
    for (std::size_t i = 0; i < poly.size(); ++i) perimeter += length(poly[(i + 1) % poly.size()] - poly[i]);
    double run = 0.0;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const Vec2 a = poly[i], b = poly[(i + 1) % poly.size()];
        const double edge = length(b - a);
        const Vec3 n = normalized(Vec3{b.y - a.y, a.x - b.x, 0.0});
        const double s0 = perimeter > 0.0 ? run / perimeter : 0.0;
        const double s1 = perimeter > 0.0 ? (run + edge) / perimeter : 0.0;
        add_quad(m, Vertex{{a.x, a.y, 0.0}, n, {s0, 1.0}}, Vertex{{b.x, b.y, 0.0}, n, {s1, 1.0}},
                 Vertex{{b.x, b.y, depth}, n, {s1, 0.0}}, Vertex{{a.x, a.y, depth}, n, {s0, 0.0}});
        run += edge;
    }
    return m;
}

Mesh tube(std::span<const Vec3> path, std::span<const double> radii, int sides) {
    Mesh m;
    const std::size_t n = path.size();
    if (n < 2 || radii.size() != n || sides < 3) return m;
    // Frames carried along the path by parallel transport, so the tube does
    // not twist where the path bends.
    std::vector<Vec3> side(n), up(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Vec3 d = normalized(path[std::min(i + 1, n - 1)] - path[i == 0 ? 0 : i - 1]);
        Vec3 s = i == 0 ? perpendicular(d) : side[i - 1] - d * dot(side[i - 1], d);
        if (length(s) < 1e-9) s = perpendicular(d);
        side[i] = normalized(s);
        up[i] = cross(d, side[i]);
    }
    auto vertex = [&](std::size_t i, int k) {
        const double a = kTau * k / sides;
        const Vec3 dir = side[i] * std::cos(a) + up[i] * std::sin(a);
        return Vertex{path[i] + dir * radii[i], dir, {double(k) / sides, double(i) / double(n - 1)}};
    };
    for (std::size_t i = 0; i + 1 < n; ++i)
        for (int k = 0; k < sides; ++k)
            add_quad(m, vertex(i, k), vertex(i, k + 1), vertex(i + 1, k + 1), vertex(i + 1, k));
    return m;
}

}  // namespace kit
