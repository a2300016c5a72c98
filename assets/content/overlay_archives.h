// Builders of the overlay archives, each complete in memory. The glyphs are
// set in DejaVu Sans; a missing font throws std::runtime_error.
#pragma once

#include "archive.h"

namespace content {

// "clock.pak": the digital clock's plates, digits, separator and marks, and
// the analog clock's dial and hands.
Archive build_clock_archive();

// "calendar.pak": plates, weekday rows, month titles, day numbers, the empty
// cell and today's mark.
Archive build_calendar_archive();

// "utils.pak": the frame-rate label and its digits.
Archive build_utils_archive();

}  // namespace content
