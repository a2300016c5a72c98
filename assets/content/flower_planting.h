// Where the flowers of the bed grow: a few hundred flowers of every kind, in
// patches, spaced so their heads do not crowd into each other, and one
// coneflower right under the resting butterfly. Bed units: the bed lies in
// the x-y plane with the flowers growing towards +z.
#pragma once

#include <vector>

#include "flora_atlas.h"
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

}  // namespace content
