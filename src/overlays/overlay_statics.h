// Per-world statics of the overlays, reset with every world.
#pragma once

#include <cstdint>

extern std::int32_t fps_frames;     // frames since the last rate display
extern std::int32_t digital_chas;   // hour shown by the hour-tens glyph, -1: none yet
extern std::int32_t digital_chas2;  // hour shown by the hour-units glyph
extern std::int32_t digital_min;    // minute shown by the minute-tens glyph
extern std::int32_t digital_min2;   // minute shown by the minute-units glyph
extern std::int32_t digital_sec;    // second shown by the separator
extern std::int32_t digital_ampm;   // hour shown by the am/pm mark
extern std::int32_t calendar_day;   // day of the month of the page shown, -1: none yet
