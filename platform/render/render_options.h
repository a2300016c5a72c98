// Command line of the headless renderer.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace lunabrelle {

struct RenderOptions {
    int width = 1280;            // view size in pixels, 1 .. kMaxSide
    int height = 720;
    bool has_start = false;      // --at given
    std::time_t start = 0;       // local start time as calendar seconds
    double fps = 60.0;           // frames per second of virtual time, (0, 1000]
    std::int64_t frames = 1;     // frames to draw, 1 .. kMaxFrames
    bool has_seed = false;       // --seed given
    std::uint32_t seed = 0;
    std::string resources;       // resource folder; empty: the platform's
    std::string config;          // settings file; empty: the platform's
    std::string out;             // PNG of the last frame; empty: none
    std::string out_dir;         // folder for every every-th frame; empty: none
    std::int64_t every = 1;      // with out_dir, 1 .. kMaxFrames
    bool help = false;           // --help: print usage, draw nothing
    bool version = false;        // --version: print the version, draw nothing
};

inline constexpr int kMaxSide = 16384;
inline constexpr std::int64_t kMaxFrames = 100000000;

// Parses argv[1 .. argc-1]; options take their value as the next argument or
// after '='. On a fault returns false with a one-line message in *error and
// leaves *options unspecified. --help and --version stop parsing and succeed.
bool parse_render_options(int argc, const char* const* argv, RenderOptions* options,
                          std::string* error);

// "WxH" with both in 1 .. kMaxSide.
bool parse_size(const std::string& text, int* width, int* height);

// "YYYY-MM-DD HH:MM:SS" in the process's time zone. Refuses dates and times
// that do not exist there (February 30, 24:00:00, a skipped daylight-saving
// hour).
bool parse_local_time(const std::string& text, std::time_t* out);

// The --help text.
std::string render_usage();

}  // namespace lunabrelle
