// The registry of computed textures. A mesh whose texture name has '#' as its
// second character asks here; the name describes a generator and its size:
//   <any char>#Fire<width><sep><height>
//   <any char>#Plasma<width><sep><height><sep><p0><sep><p1><sep><p2>
// One texture is shared per whole name, reference-counted; the last ungen
// deletes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "textures/texturegen.h"

// The largest side of a computed texture, eight times the largest the
// archives name. Every texture is refilled every frame: a few bytes of a mesh
// entry must not be able to ask for a gigabyte that takes seconds per frame.
constexpr int kMaxGeneratedSide = 1024;

class Texturebase {
public:
    Texturebase() = default;
    // Frees the lists and the generators' buffers and params; makes no GL
    // calls (at exit the context is gone), so the GL textures are not deleted.
    ~Texturebase();
    Texturebase(const Texturebase&) = delete;
    Texturebase& operator=(const Texturebase&) = delete;

    // Texture for name, creating its generator on first use. A name that does
    // not describe a generator (unknown kind, missing size, sizes out of range:
    // above kMaxGeneratedSide or the GL implementation's largest texture)
    // returns 0, enters nothing and logs one line naming it. Needs a current
    // GL context.
    unsigned int gen(const char* name);

    // Returns one reference; the last deletes the GL texture and the generator.
    // A name that is not registered does nothing.
    void ungen(const char* name);

    // Regenerates every texture, in insertion order, at the world time
    // CURENT_TIME (passed as a signed 32-bit time).
    void regenall();

    std::vector<Texturegen*> generators;  // owned
    std::vector<std::string> names;
    std::vector<std::int32_t> references;
};

// The process-wide computed-texture registry.
extern Texturebase texturebase;
