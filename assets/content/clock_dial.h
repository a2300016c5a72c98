// The analog clock's entries of "clock.pak": the dial "ciferblat" and the
// hands "sec", "min" and "chas". All lie in the x-y plane facing +z, centred
// on their node's origin; every hand points at twelve (+y) and turns about z
// through the origin. The dial's radius is kDialRadius.
#pragma once

#include "archive.h"

namespace content {

void add_analog_clock(Archive& archive);

}  // namespace content
