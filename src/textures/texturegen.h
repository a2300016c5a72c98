// One computed texture: an RGBA pixel buffer, its GL texture and the generator
// that refills the buffer for a given time.
#pragma once

#include <cstdint>

using TextureGenerator = void (*)(int time, int width, int height, unsigned char* pixels, void* param);
using ParamDeleter = void (*)(void* param);

class Texturegen {
public:
    // Takes ownership of param; allocates width * height * 4 bytes (zeroed) and
    // creates the GL texture (RGBA, modulate, linear filters). Does not call the
    // generator. Sizes at least 1, width * height * 4 within int (the registry
    // checks names before it gets here). Needs a current GL context.
    Texturegen(TextureGenerator generator, ParamDeleter deleter, void* param, int width, int height);
    ~Texturegen();  // frees the buffer and the param; the GL texture is ungen's
    Texturegen(const Texturegen&) = delete;
    Texturegen& operator=(const Texturegen&) = delete;

    // Runs the generator for time (ms) and replaces the texture's image.
    void regen(int time);
    unsigned int gltex() const { return texture; }

    TextureGenerator generator;
    void* param;
    ParamDeleter deleter;
    std::int32_t width;
    std::int32_t height;
    unsigned int texture = 0;
    unsigned char* pixels = nullptr;
    std::int32_t size;
};
