// The fire generator: a field of heat bytes, fed with random sparks below the
// image and in its lower half, spread towards row 0 and cooled by one per
// step, coloured through a 256-entry palette (transparent black, red, orange,
// yellow, pale blue, back to yellow).
#pragma once

#include <cstdint>

class fire_param {
public:
    // State for a width x height texture (width >= 1, height >= 2): both
    // fields width * (height + 3) bytes of zero, the palette built.
    fire_param(int width, int height);
    ~fire_param();
    fire_param(const fire_param&) = delete;
    fire_param& operator=(const fire_param&) = delete;

    // Sets palette entries start <= i < end to the linear ramp from colour 1
    // to colour 2, per channel in double precision, truncated.
    void ShadePalette(unsigned char start, unsigned char end, unsigned char r1, unsigned char g1,
                      unsigned char b1, unsigned char a1, unsigned char r2, unsigned char g2,
                      unsigned char b2, unsigned char a2);

    // RGBA per heat value. Entry 255 belongs to no ramp and stays zero; no
    // heat value after a step exceeds 254.
    unsigned char palette[256][4] = {};
    // Heat fields, row by row, width bytes per row; cell (x, r) at r * width + x.
    // Rows 0 .. rows - 4 are the image's, the last three only feed it.
    unsigned char* current = nullptr;  // owned
    unsigned char* next = nullptr;     // owned
    std::int32_t width;
    std::int32_t rows;  // texture height + 3
};

// One step of the fire, whatever the time. param is a fire_param built for
// width x height; pixels receives width * height RGBA pixels, row 0 first.
// Sizes that do not match the state leave everything untouched. Draws on the
// process's rand().
void fire(int time, int width, int height, unsigned char* pixels, void* param);

// Frees a fire_param; null is allowed.
void delete_fire_param(void* param);
