// Paintings of the green parts: grass tufts (blades rising from the bottom
// edge), leaves (base at the bottom, tip at the top), a clover trefoil seen
// from above, and the opaque stem strip (shaded across its width).
#pragma once

#include "flora_atlas.h"
#include "kit/image.h"

namespace content {

kit::Image paint_foliage(Foliage kind, int width, int height);

}  // namespace content
