// Pictures for the flower bed's earth: the grassy top, seen from above and
// mapped across the bed's disc, and the soil round its side.
#pragma once

#include "kit/image.h"

namespace content {

// Square picture of the bed's top; its inscribed disc is the bed.
kit::Image paint_ground(int size);

// Strip wrapped once round the bed's side: top row at the grassy rim.
// Repeats seamlessly from its right edge to its left.
kit::Image paint_soil(int width, int height);

}  // namespace content
