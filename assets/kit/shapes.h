// Mesh builders for the shapes the content is made of. All return fresh
// meshes in their own coordinates; place them with transform().
//
// Texture mapping convention: a UvRect names a region of an image; s runs
// from s0 to s1 along the shape's first direction and t from t0 ("up", the
// image's top) to t1, so an image painted upright shows upright on a quad
// whose v edge points up.
#pragma once

#include <functional>
#include <span>

#include "mesh.h"
#include "vec.h"

namespace kit {

struct UvRect {
    double s0 = 0.0;
    double t0 = 0.0;
    double s1 = 1.0;
    double t1 = 1.0;
};

// The parallelogram corner, corner + u, corner + u + v, corner + v; normal
// along cross(u, v). corner takes (s0, t1), corner + u + v takes (s1, t0).
Mesh quad(Vec3 corner, Vec3 u, Vec3 v, UvRect uv = {});

// A flat disc of the given radius in the x-y plane around the origin, facing
// +z, as a fan of segments (at least 3) triangles. Planar mapping: x = -r at
// s0, x = +r at s1, y = +r at t0, y = -r at t1.
Mesh disc(double radius, int segments, UvRect uv = {});

// A parametric patch: point(u, v) for u, v in [0, 1], split into nu x nv
// cells (each at least 1). s follows u, t follows v (v = 1 at t0). Normals are
// cross(dP/du, dP/dv), estimated from neighbouring samples.
Mesh surface(int nu, int nv, const std::function<Vec3(double u, double v)>& point, UvRect uv = {});

// One point of a lathe profile: distance from the z axis, height, and the
// texture t at that point.
struct ProfilePoint {
    double radius = 0.0;
    double z = 0.0;
    double t = 0.0;
};

// A surface of revolution about the z axis through the profile (at least two
// points, listed in order along the outline). s runs 0..1 once around,
// starting on +x and turning towards +y. Normals point away from the axis when
// the profile climbs in +z; a zero radius closes the surface at that point.
Mesh lathe(std::span<const ProfilePoint> profile, int segments);

// A prism: the simple polygon outline (counter-clockwise seen from +z, at
// least three points) in the x-y plane, swept from z = 0 to z = depth. Caps
// are ear-clipped and mapped planar over the outline's bounding box; sides
// are flat-shaded with s along the perimeter and t from 0 at z = depth.
Mesh extrude(std::span<const Vec2> outline, double depth);

// A tube of sides (at least 3) faces swept along path (at least two points)
// with radii[i] at path[i] (radii as many as points). Ends are left open.
// s runs round, t from 0 at the first point to 1 at the last.
Mesh tube(std::span<const Vec3> path, std::span<const double> radii, int sides);

}  // namespace kit
