#include "platform/render/render_options.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace lunabrelle {
namespace {

template <typename Int>
bool parse_int(const std::string& text, Int min, Int max, Int* out) {
    Int value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < min || value > max) return false;
    *out = value;
    return true;
}

bool parse_positive_double(const std::string& text, double* out) {
    if (text.empty()) return false;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value) || value <= 0.0) return false;
    *out = value;
    return true;
}

}  // namespace

bool parse_size(const std::string& text, int* width, int* height) {
    const auto x = text.find('x');
    if (x == std::string::npos) return false;
    return parse_int(text.substr(0, x), 1, kMaxSide, width) &&
           parse_int(text.substr(x + 1), 1, kMaxSide, height);
}

bool parse_local_time(const std::string& text, std::time_t* out) {
    // Digits exactly where the pattern has them: %d alone would take a sign
    // ("-001" as the year -1) or a space.
    static const char kPattern[] = "DDDD-DD-DD DD:DD:DD";
    if (text.size() != sizeof kPattern - 1) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (kPattern[i] == 'D' ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != kPattern[i])
            return false;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, used = 0;
    if (
        std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &year, &month, &day, &hour,
                    &minute, &second, &used) != 6 ||
        used != 19)
        return false;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    std::tm normalised = tm;
    const std::time_t t = std::mktime(&normalised);
    if (t == static_cast<std::time_t>(-1) && !(year == 1969 && month == 12 && day == 31)) return false;
    // mktime carries out-of-range fields over; a time that changed did not exist.
    if (normalised.tm_year != tm.tm_year || normalised.tm_mon != tm.tm_mon ||
        normalised.tm_mday != tm.tm_mday || normalised.tm_hour != tm.tm_hour ||
        normalised.tm_min != tm.tm_min || normalised.tm_sec != tm.tm_sec)
        return false;
    *out = t;
    return true;
}

bool parse_render_options(int argc, const char* const* argv, RenderOptions* options,
                          std::string* error) {
    RenderOptions result;
    bool has_frames = false, has_seconds = false, has_every = false;
    double seconds = 0.0;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        std::string value;
        bool has_value = false;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            has_value = true;
        }
        if (name == "--help" || name == "-h" || name == "--version") {
            result.help = name != "--version";
            result.version = name == "--version";
            *options = result;
            return true;
        }
        static const char* const kValued[] = {"--size", "--at", "--fps", "--frames", "--seconds",
                                              "--seed", "--resources", "--config", "--out",
                                              "--out-dir", "--every"};
        bool known = false;
        for (const char* option : kValued) known = known || name == option;
        if (!known) {
            *error = "unknown option " + name + " (see --help)";
            return false;
        }
        if (!has_value) {
            if (i + 1 >= argc) {
                *error = name + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        bool ok = true;
        if (name == "--size") {
            ok = parse_size(value, &result.width, &result.height);
            if (!ok) *error = "bad size \"" + value + "\": want WxH, each 1 to " + std::to_string(kMaxSide);
        } else if (name == "--at") {
            ok = parse_local_time(value, &result.start);
            result.has_start = true;
            if (!ok) *error = "bad time \"" + value + "\": want an existing local time YYYY-MM-DD HH:MM:SS";
        } else if (name == "--fps") {
            ok = parse_positive_double(value, &result.fps) && result.fps <= 1000.0;
            if (!ok) *error = "bad frame rate \"" + value + "\": want a number above 0, at most 1000";
        } else if (name == "--frames") {
            ok = parse_int(value, std::int64_t{1}, kMaxFrames, &result.frames);
            has_frames = true;
            if (!ok) *error = "bad frame count \"" + value + "\": want 1 to " + std::to_string(kMaxFrames);
        } else if (name == "--seconds") {
            ok = parse_positive_double(value, &seconds);
            has_seconds = true;
            if (!ok) *error = "bad duration \"" + value + "\": want seconds above 0";
        } else if (name == "--seed") {
            ok = parse_int(value, std::uint32_t{0}, UINT32_MAX, &result.seed);
            result.has_seed = true;
            if (!ok) *error = "bad seed \"" + value + "\": want 0 to " + std::to_string(UINT32_MAX);
        } else if (name == "--every") {
            ok = parse_int(value, std::int64_t{1}, kMaxFrames, &result.every);
            has_every = true;
            if (!ok) *error = "bad interval \"" + value + "\": want 1 to " + std::to_string(kMaxFrames);
        } else {
            ok = !value.empty();
            if (!ok) *error = name + " needs a value";
            if (name == "--resources") result.resources = value;
            if (name == "--config") result.config = value;
            if (name == "--out") result.out = value;
            if (name == "--out-dir") result.out_dir = value;
        }
        if (!ok) return false;
    }
    if (has_frames && has_seconds) {
        *error = "give --frames or --seconds, not both";
        return false;
    }
    if (has_seconds) {
        // Frames are drawn at 0, 1/F, 2/F ... seconds; S seconds hold S * F of them.
        const double count = std::round(seconds * result.fps);
        if (count > static_cast<double>(kMaxFrames)) {
            *error = "too many frames: at most " + std::to_string(kMaxFrames);
            return false;
        }
        result.frames = count < 1.0 ? 1 : static_cast<std::int64_t>(count);
    }
    if (has_every && result.out_dir.empty()) {
        *error = "--every needs --out-dir";
        return false;
    }
    if (result.out.empty() && result.out_dir.empty()) {
        *error = "nothing to write: give --out FILE.png or --out-dir DIR";
        return false;
    }
    *options = result;
    return true;
}

std::string render_usage() {
    return "Usage: lunabrelle-render [options]\n"
           "Draws the saver headless at a virtual time and writes PNG files.\n"
           "\n"
           "  --size WxH          view size in pixels (default 1280x720)\n"
           "  --at \"YYYY-MM-DD HH:MM:SS\"\n"
           "                      local start time of the virtual clock (default: now)\n"
           "  --fps F             frames per second of virtual time (default 60)\n"
           "  --frames N          frames to draw (default 1); frame k is drawn at the\n"
           "                      start time plus k/F seconds\n"
           "  --seconds S         or the frames of S seconds of virtual time\n"
           "  --seed N            random seed (default: a fresh one from the system)\n"
           "  --resources DIR     folder holding main.pak and the other archives\n"
           "  --config FILE       settings file (default: the user's)\n"
           "  --out FILE.png      write the last frame\n"
           "  --out-dir DIR       write frames as DIR/frame_000000.png ...\n"
           "  --every K           with --out-dir, every K-th frame (default 1)\n"
           "  --help              this text\n"
           "  --version           the program's version\n"
           "\n"
           "Exit status: 0 done; 1 an archive that cannot be read or is damaged (a\n"
           "message names it); 2 bad options, no resources folder or \"main.pak\", or\n"
           "unwritable output.\n";
}

}  // namespace lunabrelle
