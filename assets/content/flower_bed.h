// The flower bed "flowers": a round clump of meadow turf with a few hundred
// flowers of a dozen kinds on stems with leaves, and tufts of grass, in bed
// units (the scene draws it scaled by 2). The bed lies in the x-y plane with
// its top at z = 0 and the flowers growing towards +z.
#pragma once

#include <vector>

#include "archive.h"
#include "flower_planting.h"
#include "kit/mesh_entry.h"

namespace content {

// The bed's mesh records, nearest parts first: blooms, foliage, turf and the
// soil round its side. Image entries named: "flora.png", "ground.jpg",
// "soil.jpg".
std::vector<kit::MeshRecord> flower_bed_records(const std::vector<Flower>& flowers);

// Adds "flowers" and its pictures to archive.
void add_flower_bed(Archive& archive);

}  // namespace content
