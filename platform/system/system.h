// The platform seam: the few things the system asks of the machine it runs on
// (wall clock, local time, random seed, system log, beep, web browser, where
// the resources and the settings file live). The system calls these; nothing
// here calls back into the system. Hosts may replace the clock and the paths.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace platform {

// Wall-clock reading, as gettimeofday gives it.
struct WallClock {
    std::int64_t seconds = 0;       // since the epoch
    std::int64_t microseconds = 0;  // 0 .. 999999
};

// The current wall clock: the installed clock's reading, else the real one.
WallClock wall_clock();

// Seconds since the epoch, from the same clock as wall_clock().
std::time_t calendar_time();

// Broken-down local time of t (the TZ rules of the process). Returns false and
// leaves *out untouched when the conversion fails.
bool local_time(std::time_t t, std::tm* out);

// Replaces the clock behind wall_clock() and calendar_time(); nullptr goes back
// to the real clock. Used by hosts that draw at a virtual time.
using ClockFunction = WallClock (*)();
void install_clock(ClockFunction clock);

// Seed for the process's random generator: bytes from the system's random
// source, else the wall clock's microseconds mixed with the process id, so
// that two savers started in the same second (two screens) differ.
unsigned random_seed();

// The project's version, as the build sets it ("0.1.0").
const char* version();

// The name this program was started as, without its folder ("lunabrelle-render").
std::string program_name();

// One line to the system log (syslog, identity program_name()) and to stderr,
// prefixed with program_name().
void log(const std::string& message);

// Replaces where log() writes; nullptr restores syslog + stderr. For tests.
using LogSink = void (*)(const std::string& message);
void install_log_sink(LogSink sink);

// The terminal bell, or nothing where there is none.
void beep();

// Opens url in the user's browser (xdg-open), without waiting for it.
// Returns false when no opener could be started.
bool open_url(const std::string& url);

// Folder that holds the resource archives, without a trailing '/'. Set by the
// host; by default resource_folder_beside the program's own folder.
std::string resource_folder();
void set_resource_folder(const std::string& folder);

// The resource folder of a program installed or built in program_folder: the
// installed "../share/lunabrelle" (from "bin"), "../../share/lunabrelle" (from
// "libexec/xscreensaver", where XScreenSaver looks for its hacks), else the
// "resources" folder of the build tree (the program's folder or one above),
// else "resources" in the program's folder, which then does not exist.
std::string resource_folder_beside(const std::string& program_folder);

// Full path of the settings file: $XDG_CONFIG_HOME/quorvix_lunabrelle.cfg
// (default ~/.config); on Apple systems ~/Library/Preferences/. A host may
// replace it (tests, --config).
std::string settings_path();
void set_settings_path(const std::string& path);

}  // namespace platform
