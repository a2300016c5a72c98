// Builders for the bytes of mesh entries, for tests that load meshes through
// archives (image_bytes.h writes the pictures such archives hold).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/model.h"
#include "support/image_bytes.h"

namespace lunabrelle::test {

struct MeshRecordData {
    std::string texture_name;      // written with its zero byte (L = size + 1)
    Material material{};
    std::vector<double> vertices;  // 9 per triangle
    std::vector<double> normals;   // 9 per triangle
    std::vector<double> texcoords; // 6 per triangle
    int triangles() const { return static_cast<int>(vertices.size() / 9); }
};

// Ambient and diffuse set to the colour, specular black, shininess 0.
Material flat_material(float r, float g, float b, float a, bool blend = false, bool alpha_test = false);

// Two triangles covering the rectangle (x0, y0)-(x1, y1) in the plane z,
// facing +z, texture coordinates 0..1.
MeshRecordData square(const std::string& texture, double x0, double y0, double x1, double y1,
                      double z, const Material& material);

// N triangles of made-up numbers; the k-th double of the vertices is k.
MeshRecordData numbered(const std::string& texture, int triangles);

// A record in the layout of scene/model.h, its header and reserved byte zero.
std::vector<std::uint8_t> mesh_record(const MeshRecordData& record);
// marker 255 writes the four reserved bytes before the count.
std::vector<std::uint8_t> mesh_entry(const std::vector<MeshRecordData>& records, std::uint8_t marker = 0);

}  // namespace lunabrelle::test
