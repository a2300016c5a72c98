#include "overlays/overlay_time.h"

#include "platform/system/system.h"

std::time_t time_sec = 0;
std::tm* cur_time = nullptr;

namespace {

// The broken-down time that cur_time points at once refreshed; a failed
// conversion leaves the previous reading here.
std::tm local_reading{};

// The second local_reading was converted from. The clocks and the calendar
// ask many times a frame, and the C library's conversion walks the zone's
// transition table each time; within one second the answer cannot change
// (the zone is read once per process anyway).
std::time_t reading_of = 0;
bool have_reading = false;

}  // namespace

void refresh_local_time() {
    time_sec = platform::calendar_time();
    if (!have_reading || time_sec != reading_of) {
        have_reading = platform::local_time(time_sec, &local_reading);
        reading_of = time_sec;
    }
    cur_time = &local_reading;
}
