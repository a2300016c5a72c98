// One butterfly species: "brushko", the body (lying along x, head towards +x,
// back towards +z), and "krilo", one wing (in the x-y plane reaching out
// along +y, hinged on the x axis), with their pictures "body.jpg" and
// "wing.png". Model units; the scene draws butterflies at a fifth of that.
#pragma once

#include "archive.h"
#include "kit/image.h"
#include "kit/mesh_entry.h"

namespace content {

kit::MeshRecord body_record();
kit::MeshRecord wing_record();

// Fur of the body, wrapped round it: x runs once round (0 on the belly, the
// middle along the back), y from the head's tip (top row) to the tail.
kit::Image paint_body(int species, int width, int height);

// Adds "brushko", "krilo" and their pictures for species 1 .. 5.
void add_butterfly(Archive& archive, int species);

}  // namespace content
