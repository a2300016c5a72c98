// The user's overlay choices and their binary settings file.
//
// File layout (little-endian, flags one byte each, 28 bytes as written):
//   int32 version (1), int32 L1, L1 bytes, int32 L2, L2 bytes, uint8 extra_flag,
//   int32 extra_value, int32 display_mode, then show_fps, show_time,
//   analog_clock, time_24h, big_clock, show_calendar, monday_first.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

class Config {
public:
    Config();  // defaults
    // Reads the layout from a binary stream: unknown versions, a negative or
    // overlong reserved length give the defaults; a truncated file keeps the
    // fields read so far and defaults for the rest.
    explicit Config(std::istream& in);

    void set_default();

    // Writes the current layout (both reserved texts empty). False when the
    // stream fails.
    bool save(std::ostream& out) const;

    // Row display_mode of the display-mode table; 0, 0, 0 outside 0..9.
    int ret_x_resolution() const;
    int ret_y_resolution() const;
    int ret_bpp() const;

    bool show_fps;
    bool show_time;
    bool analog_clock;
    bool time_24h;
    bool big_clock;
    bool show_calendar;
    bool monday_first;
    std::uint8_t extra_flag;
    std::int32_t extra_value;
    std::int32_t display_mode;
};

// Reads the settings file at path; the defaults when it cannot be opened.
Config load_config(const std::string& path);

// Writes the settings through a temporary file in the same folder renamed over
// path, so a failed save leaves the old file intact. False on any failure.
bool save_config(const Config& config, const std::string& path);
