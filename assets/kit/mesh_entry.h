// Mesh entries: the bytes an archive holds for one model, one or more mesh
// records back to back.
//
// Entry:  uint8 marker (0 here; 255 would add 4 reserved bytes), int32 count,
//         then count records.
// Record: int32 L, texture name (L bytes including its zero byte),
//         80-byte header (zeros), 60-byte material, int32 N, one reserved
//         byte, then N*9 vertex doubles, N*9 normal doubles, N*6 texcoord
//         doubles. Little-endian, unaligned: 149 + L + 192 N bytes.
// Material: uint8 alpha_test, uint8 blend, 2 spare, ambient, diffuse and
//           specular as 4 floats each (RGBA), float shininess, 4 spare.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "mesh.h"

namespace kit {

struct Material {
    bool alpha_test = false;  // drawn with the alpha test (alpha > 0.9 passes)
    bool blend = false;       // drawn in the blended pass
    std::array<float, 4> ambient{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> specular{0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;  // OpenGL specular exponent, 0..128
};

struct MeshRecord {
    // An image entry of the same archive, or a computed texture name such as
    // "T#Fire128x128"; stored with a terminating zero byte.
    std::string texture;
    Material material;
    Mesh mesh;
};

constexpr std::size_t kRecordHeaderBytes = 80;
constexpr std::size_t kMaterialBytes = 60;

// Bytes of one record whose stored name is name_length bytes (zero included)
// and which holds the given number of triangles.
constexpr std::size_t mesh_record_size(std::size_t name_length, std::size_t triangles) {
    return 149 + name_length + 192 * triangles;
}

std::vector<std::uint8_t> write_mesh_entry(std::span<const MeshRecord> records);

// Parses an entry by the rules above, checking every length against size.
// Returns false with a message in *error for a truncated or malformed entry
// (negative counts, a name without its zero byte, records past the end).
bool read_mesh_entry(const std::uint8_t* data, std::size_t size, std::vector<MeshRecord>* out,
                     std::string* error);

}  // namespace kit
