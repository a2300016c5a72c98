// Soft copies of coverage masks, for shadows and halos under painted shapes.
#pragma once

#include "paint.h"

namespace kit {

// The mask blurred by three passes of a box filter of the given radius in
// pixels along each axis (close to a Gaussian of sigma = radius), then moved
// by (dx, dy) pixels. Same size as the mask; values from outside read as 0.
// A radius of 0 only moves the mask.
Mask blurred(const Mask& mask, int radius, int dx = 0, int dy = 0);

}  // namespace kit
