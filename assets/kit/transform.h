// Affine transforms of points, normals and whole meshes. Angles in degrees.
// a * b applies b first, then a.
#pragma once

#include <array>

#include "mesh.h"
#include "vec.h"

namespace kit {

struct Transform {
    // Row-major 3 x 4: the linear part in columns 0..2, the translation in column 3.
    std::array<double, 12> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
};

Transform translation(Vec3 offset);
Transform rotation_x(double degrees);
Transform rotation_y(double degrees);
Transform rotation_z(double degrees);
Transform scaling(Vec3 factors);

// The rotation that turns the direction +z onto dir (any length but zero),
// choosing the smallest turn.
Transform aim_z(Vec3 dir);

Transform operator*(const Transform& a, const Transform& b);

Vec3 apply_point(const Transform& t, Vec3 p);
Vec3 apply_direction(const Transform& t, Vec3 d);

// Normals go through the inverse transpose and are renormalised.
Vec3 apply_normal(const Transform& t, Vec3 n);

// Moves every vertex; a mirroring transform also reverses the winding so the
// faces keep pointing the way their normals say.
void transform(Mesh& mesh, const Transform& t);
Mesh transformed(Mesh mesh, const Transform& t);

}  // namespace kit
