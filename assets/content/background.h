// The background plate "fon": a painted sky with clouds over distant hills
// and a hazy meadow, on a rectangle large enough to fill every view shape.
#pragma once

#include "archive.h"
#include "kit/image.h"
#include "kit/mesh_entry.h"

namespace content {

// The landscape picture, width x height pixels, stretched across the whole
// plate. Views of 1280x720 and larger magnify it everywhere, so filling
// them never reads more than the base level.
constexpr int kSkyWidth = 2048;
constexpr int kSkyHeight = 512;
kit::Image paint_sky(int width, int height);

// The plate mesh, textured with the image entry texture, drawn unlit.
kit::MeshRecord background_plate(const char* texture);

// Adds "fon" and its picture to archive.
void add_background(Archive& archive);

}  // namespace content
