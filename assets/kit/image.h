// RGBA8 pixel buffers and the colour arithmetic the painter uses. Colours are
// floats in [0, 1] with straight (not premultiplied) alpha; pixels are
// stored as 8-bit RGBA, rows top first, tightly packed.
#pragma once

#include <cstdint>
#include <vector>

namespace kit {

struct Rgba {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

// 0xRRGGBB with the given alpha.
Rgba hex(std::uint32_t rgb, float alpha = 1.0f);

// Component-wise blend from a (t = 0) to b (t = 1), alpha included.
Rgba mix(Rgba a, Rgba b, double t);

// Colour times k, alpha kept; results are not clamped until stored.
Rgba shade(Rgba c, double k);
Rgba with_alpha(Rgba c, double a);

// Porter-Duff "over" on straight-alpha colours.
Rgba over(Rgba top, Rgba bottom);

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgba fill = {});

    // Pixels outside the image read as transparent black and ignore writes.
    Rgba at(int x, int y) const;
    void put(int x, int y, Rgba c);  // clamps each component to [0, 1]
    void blend(int x, int y, Rgba c);  // c over the pixel

    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 4 bytes
};

}  // namespace kit
