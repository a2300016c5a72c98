// The entries of "calendar.pak": the plates "fon" (weeks from Sunday) and
// "fon_rus" (from Monday), the weekday rows "day" (Su ... Sa) and "day_rus"
// (Mo ... Su), the month titles "m1" (January) ... "m12" (December), the day
// numbers "1" ... "31", the empty cell "null" (no mesh records) and today's
// mark "sel". Titles, rows, numbers and the mark are centred on their node's
// origin; a row's seven labels lie kCellPitch apart, over the grid's columns.
#pragma once

#include "archive.h"

namespace content {

void add_calendar(Archive& archive);

}  // namespace content
