// Paintings of the flower heads, seen from above, centred in a square
// picture and filling a disc of kHeadFill times its size; clear outside.
#pragma once

#include "flora_atlas.h"
#include "kit/image.h"

namespace content {

kit::Image paint_bloom(Bloom kind, int size);

}  // namespace content
