// The digital clock's entries of "clock.pak": the plates "podlozka" (24-hour)
// and "podlozka_am" (12-hour, with room for the mark), the digits "0" ... "9",
// the separator "dot" and the marks "am" and "pm". Digits, separator and
// marks are centred on their holder's origin horizontally and drawn on one
// row kClockRowY above it; the plates sit at the clock node's origin behind
// the whole row.
#pragma once

#include "archive.h"

namespace content {

void add_digital_clock(Archive& archive);

}  // namespace content
