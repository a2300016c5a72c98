#include "overlays/overlay_time.h"

#include "platform/system/system.h"

std::time_t time_sec = 0;
std::tm* cur_time = nullptr;

namespace {

// The broken-down time that cur_time points at once refreshed; a failed
// conversion leaves the previous reading here.
std::tm local_reading{};

}  // namespace

void refresh_local_time() {
    time_sec = platform::calendar_time();
    platform::local_time(time_sec, &local_reading);
    cur_time = &local_reading;
}
