// Builders for the bytes of mesh entries and small BMP images, for tests that
// load meshes through archives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/model.h"

namespace lunabrelle::test {

struct MeshRecordSpec {
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
MeshRecordSpec square(const std::string& texture, double x0, double y0, double x1, double y1,
                      double z, const Material& material);

// N triangles of made-up numbers; the k-th double of the vertices is k.
MeshRecordSpec numbered(const std::string& texture, int triangles);

std::vector<std::uint8_t> mesh_record(const MeshRecordSpec& spec);
// marker 255 writes the four reserved bytes before the count.
std::vector<std::uint8_t> mesh_entry(const std::vector<MeshRecordSpec>& records, std::uint8_t marker = 0);

// An uncompressed 24-bit BMP of one colour.
std::vector<std::uint8_t> solid_bmp(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b);

}  // namespace lunabrelle::test
