// The entries of "utils.pak": the frame-rate label "fps", with the plate
// behind the label and the three digit places, and the digits "0" ... "9",
// centred on their node's origin. The label's node is the digits' parent, so
// its plate covers the digits at kFpsDigitX.
#pragma once

#include "archive.h"

namespace content {

void add_fps_label(Archive& archive);

}  // namespace content
