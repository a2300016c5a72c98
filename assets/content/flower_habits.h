// How each kind of flower grows: how common it is, its head size, stem
// height and head shape. Lengths in bed units.
#pragma once

#include "flora_atlas.h"

namespace content {

struct Habit {
    Bloom kind;
    double share;  // how common, before the patches shift it
    double radius_lo, radius_hi;  // painted petal radius
    double height_lo, height_hi;  // of the head above the ground
    // Heights of the head's centre, inner ring (at inner times the head's
    // half-width) and rim, as fractions of its radius; negative is lower.
    double centre_z, inner, inner_z, rim_z;
    bool broad_leaves;
    int outline_points;  // corners of the polygon the head is drawn on
};

// Every kind once.
extern const Habit kHabits[kBloomKinds];

const Habit& habit_of(Bloom kind);

}  // namespace content
