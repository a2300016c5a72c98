#include "transform.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace kit {

namespace {

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

double determinant(const Transform& t) {
    const auto& m = t.m;
    return m[0] * (m[5] * m[10] - m[6] * m[9]) - m[1] * (m[4] * m[10] - m[6] * m[8]) +
           m[2] * (m[4] * m[9] - m[5] * m[8]);
}

}  // namespace

Transform translation(Vec3 offset) {
    Transform t;
    t.m[3] = offset.x;
    t.m[7] = offset.y;
    t.m[11] = offset.z;
    return t;
}

Transform rotation_x(double degrees) {
    const double c = std::cos(radians(degrees));
    const double s = std::sin(radians(degrees));
    return Transform{{1, 0, 0, 0, 0, c, -s, 0, 0, s, c, 0}};
}

Transform rotation_y(double degrees) {
    const double c = std::cos(radians(degrees));
    const double s = std::sin(radians(degrees));
    return Transform{{c, 0, s, 0, 0, 1, 0, 0, -s, 0, c, 0}};
}

Transform rotation_z(double degrees) {
    const double c = std::cos(radians(degrees));
    const double s = std::sin(radians(degrees));
    return Transform{{c, -s, 0, 0, s, c, 0, 0, 0, 0, 1, 0}};
}

Transform scaling(Vec3 f) { return Transform{{f.x, 0, 0, 0, 0, f.y, 0, 0, 0, 0, f.z, 0}}; }

Transform aim_z(Vec3 dir) {
    const Vec3 d = normalized(dir);
    const Vec3 axis = cross(Vec3{0, 0, 1}, d);
    const double s = length(axis);
    const double c = d.z;
    if (s < 1e-12) return c >= 0.0 ? Transform{} : rotation_x(180.0);
    // Rodrigues' formula for the turn about axis by the angle between +z and d.
    const Vec3 k = axis * (1.0 / s);
    const double v = 1.0 - c;
    return Transform{{c + k.x * k.x * v, k.x * k.y * v - k.z * s, k.x * k.z * v + k.y * s, 0,
                      k.y * k.x * v + k.z * s, c + k.y * k.y * v, k.y * k.z * v - k.x * s, 0,
                      k.z * k.x * v - k.y * s, k.z * k.y * v + k.x * s, c + k.z * k.z * v, 0}};
}

Transform operator*(const Transform& a, const Transform& b) {
    Transform r;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            double sum = col == 3 ? a.m[row * 4 + 3] : 0.0;
            for (int k = 0; k < 3; ++k) sum += a.m[row * 4 + k] * b.m[k * 4 + col];
            r.m[row * 4 + col] = sum;
        }
    }
    return r;
}

Vec3 apply_point(const Transform& t, Vec3 p) {
    return apply_direction(t, p) + Vec3{t.m[3], t.m[7], t.m[11]};
}

Vec3 apply_direction(const Transform& t, Vec3 d) {
    const auto& m = t.m;
    return {m[0] * d.x + m[1] * d.y + m[2] * d.z, m[4] * d.x + m[5] * d.y + m[6] * d.z,
            m[8] * d.x + m[9] * d.y + m[10] * d.z};
}

Vec3 apply_normal(const Transform& t, Vec3 n) {
    // The rows cross(r1, r2), cross(r2, r0), cross(r0, r1) make the inverse
    // transpose times the determinant; the normalisation removes the scale,
    // but a mirror's negative determinant must still flip the result.
    const auto& m = t.m;
    const Vec3 r0{m[0], m[1], m[2]};
    const Vec3 r1{m[4], m[5], m[6]};
    const Vec3 r2{m[8], m[9], m[10]};
    const Vec3 c0 = cross(r1, r2);
    const Vec3 c1 = cross(r2, r0);
    const Vec3 c2 = cross(r0, r1);
    const Vec3 out{dot(c0, n), dot(c1, n), dot(c2, n)};
    return normalized(determinant(t) < 0.0 ? -out : out);
}

void transform(Mesh& mesh, const Transform& t) {
    const bool mirror = determinant(t) < 0.0;
    for (Triangle& tri : mesh.triangles) {
        for (Vertex& v : tri.v) {
            v.position = apply_point(t, v.position);
            v.normal = apply_normal(t, v.normal);
        }
        if (mirror) std::swap(tri.v[1], tri.v[2]);
    }
}

Mesh transformed(Mesh mesh, const Transform& t) {
    transform(mesh, t);
    return mesh;
}

}  // namespace kit
