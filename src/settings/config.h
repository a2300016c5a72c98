// The user's overlay choices and their binary settings file.
//
// File layout (little-endian, flags one byte each, 28 bytes as written):
//   int32 version (1), int32 L1, L1 bytes, int32 L2, L2 bytes, uint8 extra_flag,
//   int32 extra_value, int32 display_mode, then show_fps, show_time,
//   analog_clock, time_24h, big_clock, show_calendar, monday_first.
#pragma once

#include <cstddef>
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

// The largest settings file read: 1 MiB (the system writes 28 bytes).
constexpr std::size_t kMaxSettingsBytes = std::size_t{1} << 20;

// Reads the settings file at path; the defaults when it cannot be opened, is
// not a regular file or is larger than kMaxSettingsBytes (the last two are
// logged). Never blocks: a FIFO is refused unopened for reading.
Config load_config(const std::string& path);

// Writes the settings through a temporary file beside the file, path + ".saving"
// (reused by the next save if a save is killed), renamed over it once synced,
// so a failed save leaves the old file intact. A symbolic link at path stays
// and its target is replaced; the file keeps its mode; a missing folder is made
// (mode 0700). False on any failure, and when a non-regular file (a device, a
// FIFO) stands in the file's place.
bool save_config(const Config& config, const std::string& path);
