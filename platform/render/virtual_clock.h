// The virtual wall clock of a headless host: installed behind
// platform::wall_clock and platform::calendar_time, it reads whatever time the
// host last set, so that frame k of a run sees its own planned time however
// long drawing takes. One clock per process (the seam takes a plain function);
// the local time zone stays the process's (TZ).
#pragma once

#include <cstdint>

namespace lunabrelle {

// Microseconds since the epoch; negative values are times before 1970.
void set_virtual_time(std::int64_t microseconds);
std::int64_t virtual_time();

// Moves the clock by a signed number of microseconds (backwards too).
void advance_virtual_time(std::int64_t microseconds);

// Puts the virtual clock behind the platform seam, or the real clock back.
void install_virtual_clock();
void remove_virtual_clock();

}  // namespace lunabrelle
