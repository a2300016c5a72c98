// Wing paintings of the five butterfly species. A wing picture is a left
// fore- and hindwing seen from above: the body runs along the bottom edge
// with the head to the right, and the wing reaches up. Clear outside the
// outline, so the alpha test cuts the wing's shape.
#pragma once

#include "kit/image.h"
#include "kit/vec.h"

namespace content {

// The square a wing picture covers, in wing model units: x (along the body,
// head towards +x) from -kWingReach to +kWingReach, y (out from the hinge)
// from 0 to 2 * kWingReach.
constexpr double kWingReach = 11.0;

// species 1 .. 5.
kit::Image paint_wing(int species, int size);

// Wing model point (x, y) to picture pixel, for a picture of size pixels.
kit::Vec2 wing_to_pixel(kit::Vec2 p, int size);

}  // namespace content
