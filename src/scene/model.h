// One textured triangle mesh with one material, read in place from a mesh
// entry of an archive. The model points into the archive's bytes and owns one
// texture reference (image or computed) and, once drawn, the buffer objects of
// its triangles (so it must be destroyed with that context current).
//
// Mesh record layout (little-endian, unaligned): int32 L, texture name (L
// bytes, zero-terminated within L), 80-byte header, 60-byte material, int32 N
// triangles, 1 reserved byte, N*72 bytes vertices, N*72 normals, N*48 texcoords
// (doubles).
#pragma once

#include <cstdint>
#include <string>

#include "resources/raw.h"

// The 60-byte material block as laid out in the entry.
struct Material {
    std::uint8_t alpha_test;
    std::uint8_t blend;
    std::uint8_t unused[2];
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float shininess;
    std::uint8_t unused2[4];
};
static_assert(sizeof(Material) == 60);

class Model {
public:
    Model() = default;
    ~Model();  // returns the texture reference
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Reads one record at cursor->data, where cursor->size bytes remain; on
    // success advances the cursor past the record (data up, size down) and
    // takes the texture. A record that does not fit in the remaining bytes, has
    // a negative or oversized length or count, or a texture name without its
    // zero byte, is refused: false, cursor unchanged, nothing taken.
    bool load(raw* cursor, const char* archive);

    // Draws now, or queues for the transparent pass when the material blends.
    void draw();
    // Draws a queued model with the state recorded at queue time.
    void draw_blend();

    const unsigned char* header = nullptr;
    Material material{};  // copied out of the entry (it may be unaligned)
    bool saved_depth_test = false;
    bool saved_normalize = false;
    bool saved_lighting = false;
    bool saved_lights[8] = {};
    std::int32_t triangles = 0;
    const double* vertices = nullptr;
    const double* normals = nullptr;
    const double* texcoords = nullptr;
    std::string texture_source;
    const char* texture_name = nullptr;
    unsigned int texture = 0;
    bool generated = false;
    double modelview[16] = {};
    // Buffer objects holding the triangles (vertices, then indices), made on
    // the first draw with the context then current and deleted with the
    // model; 0 until then.
    unsigned int buffers[2] = {};
};
