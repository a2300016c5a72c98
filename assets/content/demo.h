// The demo archive: two square quads showing the computed textures, for tests
// and the headless renderer. Each quad spans x and y from -10 to 10 at z = 0,
// faces +z, and maps the whole texture with its top row at y = +10.
#pragma once

#include "archive.h"

namespace content {

// "fire" (texture "T#Fire128x128", drawn blended) and "plasma" (texture
// "T#Plasma64x64,10,20,30", alpha-tested).
void add_demo(Archive& archive);

}  // namespace content
