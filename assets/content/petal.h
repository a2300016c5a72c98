// Painting of single petals and florets: a shape given by its length and a
// half-width profile, filled through a colouring function that sees the
// petal's own coordinates. Lengths in pixels, angles in radians.
#pragma once

#include <functional>

#include "kit/image.h"
#include "kit/vec.h"

namespace content {

struct PetalShape {
    double angle = 0.0;   // direction from the flower's centre to the tip
    double r0 = 0.0;      // base, distance from the centre
    double r1 = 1.0;      // tip, distance from the centre
    // Half of the petal's width at t (0 base .. 1 tip), in pixels.
    std::function<double(double t)> half_width;
    int teeth = 0;             // notches across a blunt tip (half_width(1) > 0)
    double tooth_depth = 0.0;  // pixels
};

// Colour at t along the petal (0 base, 1 tip) and s across it (-1 .. 1).
using PetalColor = std::function<kit::Rgba(double t, double s)>;

void paint_petal(kit::Image& image, kit::Vec2 centre, const PetalShape& shape, const PetalColor& color);

// Common half-width profiles, scaled by width (pixels).
std::function<double(double)> strap_profile(double width);     // daisy-like, rounded tip
std::function<double(double)> obovate_profile(double width);   // broad near the tip
std::function<double(double)> funnel_profile(double width);    // narrow base, open toothed end

}  // namespace content
