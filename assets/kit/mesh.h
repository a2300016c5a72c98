// A triangle soup with per-vertex normals and texture coordinates, the shape
// of one mesh record before it is written out. Triangles are independent: no
// vertex is shared, as the record format wants.
#pragma once

#include <array>
#include <vector>

#include "vec.h"

namespace kit {

struct Vertex {
    Vec3 position;
    Vec3 normal;    // unit length expected; the writer stores it as given
    Vec2 texcoord;  // x = s, y = t; t = 0 is the image's top row
};

struct Triangle {
    std::array<Vertex, 3> v;
};

struct Mesh {
    std::vector<Triangle> triangles;
};

void add_triangle(Mesh& mesh, const Vertex& a, const Vertex& b, const Vertex& c);

// Two triangles a-b-c and a-c-d; the corners go round the quad in order.
void add_quad(Mesh& mesh, const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);

void append(Mesh& mesh, const Mesh& more);

// The mesh plus a copy facing the other way: the copy has reversed normals and
// winding, and each layer is pushed offset along its own normals, so that from
// either side the nearer layer is the one whose normals face the viewer.
Mesh two_sided(const Mesh& mesh, double offset);

// Smallest and largest coordinates over all vertices; zeros for an empty mesh.
struct Bounds {
    Vec3 min;
    Vec3 max;
};
Bounds bounds(const Mesh& mesh);

}  // namespace kit
