// The overlay choices the measurements are made with, written as a settings
// file the saver reads at startAnimation.
#pragma once

#include <string>

#include "settings/config.h"

namespace lunabrelle::bench {

enum class Overlays {
    none,     // the meadow alone
    digital,  // digital clock, month calendar and frame-rate display
    analog,   // analog clock, month calendar and frame-rate display
};

// "none", "digital" or "analog". False for anything else.
bool parse_overlays(const std::string& text, Overlays* out);
const char* overlays_name(Overlays overlays);

// The default settings with the overlays switched as chosen (the clock big,
// 12-hour, weeks from Sunday: the defaults).
Config overlay_config(Overlays overlays);

// Writes overlay_config(overlays) to path. False when it cannot be written.
bool write_overlay_settings(Overlays overlays, const std::string& path);

// Writes the settings to a file in the temporary folder named after the
// choice, and returns its path (empty when it cannot be written).
std::string temporary_overlay_settings(Overlays overlays);

}  // namespace lunabrelle::bench
