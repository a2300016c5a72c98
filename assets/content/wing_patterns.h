// The five butterfly species as the wing painter sees them: the outlines of
// fore- and hindwing, where their veins run, the ground colour at each point
// and the marks painted over it. Wing units as in wings.h.
#pragma once

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "kit/image.h"
#include "kit/vec.h"

namespace content {

struct WingPart {
    std::vector<kit::Vec2> controls;  // outline, through a closed spline
    kit::Vec2 root;                   // where the veins start
    double first_vein;                // ray angles (degrees) of the outermost veins
    double last_vein;
    int veins;
};

// What the ground colour of one point depends on.
struct Spot {
    kit::Vec2 p;    // wing units
    double edge;    // distance in from the outline, wing units
    double reach;   // distance from the root over the outline's distance that way, 0..1
    bool fore;
};

struct Species {
    WingPart fore;
    WingPart hind;
    std::function<kit::Rgba(const Spot&)> ground;
    kit::Rgba vein;
    double vein_width;  // wing units, at the root
    // Marks painted over the ground colour and the veins: spots, bands, eyes,
    // on a picture of size pixels.
    std::function<void(kit::Image&, bool fore, int size)> marks;
};

// Species 1 .. 5; anything else gives species 1.
Species wing_species(int n);

}  // namespace content
