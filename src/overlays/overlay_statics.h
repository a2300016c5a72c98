// Per-world statics of the overlays, reset with every world and with every
// rebuild of its scene.
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

// Sets every static above to its starting value (fps_frames 0, the others -1),
// so that holders built afresh get their glyphs and page in their first frame.
void reset_overlay_statics();
