#include "overlays/overlay_statics.h"

std::int32_t fps_frames = 0;
std::int32_t digital_chas = -1;
std::int32_t digital_chas2 = -1;
std::int32_t digital_min = -1;
std::int32_t digital_min2 = -1;
std::int32_t digital_sec = -1;
std::int32_t digital_ampm = -1;
std::int32_t calendar_day = -1;

void reset_overlay_statics() {
    fps_frames = 0;
    digital_chas = -1;
    digital_chas2 = -1;
    digital_min = -1;
    digital_min2 = -1;
    digital_sec = -1;
    digital_ampm = -1;
    calendar_day = -1;
}
