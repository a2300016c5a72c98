#include "overlays/overlay_statics.h"

std::int32_t fps_frames = 0;
std::int32_t digital_chas = -1;
std::int32_t digital_chas2 = -1;
std::int32_t digital_min = -1;
std::int32_t digital_min2 = -1;
std::int32_t digital_sec = -1;
std::int32_t digital_ampm = -1;
std::int32_t calendar_day = -1;
