// Local time as the overlays read it: refreshed right before each use.
#pragma once

#include <ctime>

extern std::time_t time_sec;  // seconds since the epoch
extern std::tm* cur_time;     // broken-down local time of time_sec

// time_sec = calendar time; cur_time = its local time. When the conversion
// fails the previous broken-down time stays in place.
void refresh_local_time();
