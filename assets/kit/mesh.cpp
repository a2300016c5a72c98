#include "mesh.h"

#include <algorithm>

namespace kit {

void add_triangle(Mesh& mesh, const Vertex& a, const Vertex& b, const Vertex& c) {
    mesh.triangles.push_back(Triangle{{a, b, c}});
}

void add_quad(Mesh& mesh, const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
    add_triangle(mesh, a, b, c);
    add_triangle(mesh, a, c, d);
}

void append(Mesh& mesh, const Mesh& more) {
    mesh.triangles.insert(mesh.triangles.end(), more.triangles.begin(), more.triangles.end());
}

Mesh two_sided(const Mesh& mesh, double offset) {
    Mesh out;
    out.triangles.reserve(mesh.triangles.size() * 2);
    for (const Triangle& t : mesh.triangles) {
        Triangle front = t;
        Triangle back = t;
        for (Vertex& v : front.v) v.position = v.position + v.normal * offset;
        for (Vertex& v : back.v) {
            v.normal = -v.normal;
            v.position = v.position + v.normal * offset;
        }
        std::swap(back.v[1], back.v[2]);
        out.triangles.push_back(front);
        out.triangles.push_back(back);
    }
    return out;
}

Bounds bounds(const Mesh& mesh) {
    if (mesh.triangles.empty()) return {};
    Bounds b{mesh.triangles[0].v[0].position, mesh.triangles[0].v[0].position};
    for (const Triangle& t : mesh.triangles) {
        for (const Vertex& v : t.v) {
            b.min = {std::min(b.min.x, v.position.x), std::min(b.min.y, v.position.y),
                     std::min(b.min.z, v.position.z)};
            b.max = {std::max(b.max.x, v.position.x), std::max(b.max.y, v.position.y),
                     std::max(b.max.z, v.position.z)};
        }
    }
    return b;
}

}  // namespace kit
