// The flower bed "flowers": a round clump of meadow turf with a few hundred
// flowers of a dozen kinds on stems with leaves, and tufts of grass, in bed
// units (the scene draws it scaled by 2). The bed lies in the x-y plane with
// its top at z = 0 and the flowers growing towards +z.
#pragma once

#include <vector>

#include "archive.h"
#include "flora_atlas.h"
#include "kit/mesh_entry.h"
#include "kit/vec.h"

namespace content {

struct Flower {
    Bloom kind = Bloom::daisy;
    kit::Vec3 base;    // where the stem leaves the ground
    kit::Vec3 head;    // centre of the flower head
    kit::Vec3 facing;  // unit direction the head faces
    double radius = 1.0;  // painted petal radius
    double spin = 0.0;    // turn of the head about its facing, degrees
};

// The flowers of the bed, the one under the resting butterfly first.
std::vector<Flower> plant_flowers();

// The bed's mesh records: turf, soil side, foliage and blooms. Image entries
// named: "ground.jpg", "soil.jpg", "flora.png".
std::vector<kit::MeshRecord> flower_bed_records(const std::vector<Flower>& flowers);

// Adds "flowers" and its pictures to archive.
void add_flower_bed(Archive& archive);

}  // namespace content
