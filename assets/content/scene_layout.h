// Where the scene puts the content, as the content must know it: the numbers
// that the meadow's assembly uses for the background plate, the turntable,
// the flower bed and the butterflies, and what follows from them.
#pragma once

#include "kit/vec.h"

namespace content {

// The background plate is drawn scaled (4, 3, 3) and turned so that model
// (x, y, z) lands at (4x, -3y, -100 - 3z) in scene space, 200 units from the
// eye. Its model rectangle must cover every view from portrait up to 4:1 (45
// degree vertical field of view): at least x +-82.9 and y +-27.6.
constexpr double kPlateHalfWidth = 84.0;
constexpr double kPlateHalfHeight = 34.0;

// The flower bed is drawn scaled by 2 on a turntable 110 units from the eye,
// tilted 30 degrees; it lies in its x-y plane and grows towards +z. Lengths
// below are in bed units (half a scene unit).
constexpr double kBedRadius = 18.0;

// The resting butterfly's body sits here in bed space (scene (0, -7, 21.5)
// on the turntable), its back turned towards kRestingUp.
constexpr kit::Vec3 kRestingBody{0.0, -3.5, 10.75};
constexpr kit::Vec3 kRestingUp{0.0, -0.70710678118654752, 0.70710678118654752};

// Butterflies are drawn at a fifth of their model size. A wing turns about
// its node's x axis; the model puts the hinge on that axis, the body along x
// (head towards +x) and the wing in the x-y plane, reaching out along +y.
constexpr double kButterflyScale = 0.2;

}  // namespace content
