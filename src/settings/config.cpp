#include "settings/config.h"

#include <iterator>
#include <sstream>
#include <vector>

#include "platform/system/system.h"
#include "resources/file_bytes.h"

namespace {

constexpr std::int32_t kLayoutVersion = 1;

struct DisplayMode {
    int width, height, bpp;
};

constexpr DisplayMode kDisplayModes[] = {
    {0, 0, 0},        {640, 480, 32},   {800, 600, 32},   {1024, 768, 32},  {1152, 864, 32},
    {1280, 800, 32},  {1280, 960, 32},  {1280, 1024, 32}, {1400, 1050, 32}, {1600, 1200, 32},
};

DisplayMode display_mode_row(std::int32_t index) {
    if (index < 0 || index >= std::int32_t(std::size(kDisplayModes))) return {0, 0, 0};
    return kDisplayModes[index];
}

bool read_int32(std::istream& in, std::int32_t* out) {
    unsigned char b[4];
    if (!in.read(reinterpret_cast<char*>(b), 4)) return false;
    std::uint32_t v = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                      std::uint32_t(b[3]) << 24;
    *out = static_cast<std::int32_t>(v);
    return true;
}

bool read_byte(std::istream& in, std::uint8_t* out) {
    char c = 0;
    if (!in.get(c)) return false;
    *out = static_cast<std::uint8_t>(c);
    return true;
}

bool read_flag(std::istream& in, bool* out) {
    std::uint8_t b = 0;
    if (!read_byte(in, &b)) return false;
    *out = b != 0;
    return true;
}

// Skips a reserved text: its length, then that many bytes. False for a
// negative length or one that runs past the end.
bool skip_reserved(std::istream& in) {
    std::int32_t length = 0;
    if (!read_int32(in, &length) || length < 0) return false;
    in.ignore(length);
    return in.gcount() == length;
}

void write_int32(std::ostream& out, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    const char b[4] = {char(v & 0xff), char(v >> 8 & 0xff), char(v >> 16 & 0xff), char(v >> 24 & 0xff)};
    out.write(b, 4);
}

}  // namespace

Config::Config() { set_default(); }

Config::Config(std::istream& in) {
    set_default();
    std::int32_t version = 0;
    if (!read_int32(in, &version) || version != kLayoutVersion) return;
    if (!skip_reserved(in) || !skip_reserved(in)) return;
    // A file that ends early keeps what was read and the defaults after it.
    if (!read_byte(in, &extra_flag)) return;
    std::int32_t value = 0;
    if (!read_int32(in, &value)) return;
    extra_value = value;
    if (!read_int32(in, &value)) return;
    display_mode = value;
    for (bool* flag : {&show_fps, &show_time, &analog_clock, &time_24h, &big_clock, &show_calendar,
                       &monday_first})
        if (!read_flag(in, flag)) return;
}

void Config::set_default() {
    show_fps = false;
    show_time = true;
    analog_clock = false;
    time_24h = false;
    big_clock = true;
    show_calendar = true;
    monday_first = false;
    extra_flag = 0;
    extra_value = 0;
    display_mode = 0;
}

bool Config::save(std::ostream& out) const {
    write_int32(out, kLayoutVersion);
    write_int32(out, 0);  // reserved text 1, empty
    write_int32(out, 0);  // reserved text 2, empty
    out.put(char(extra_flag));
    write_int32(out, extra_value);
    write_int32(out, display_mode);
    for (bool flag :
         {show_fps, show_time, analog_clock, time_24h, big_clock, show_calendar, monday_first})
        out.put(flag ? 1 : 0);
    return bool(out);
}

int Config::ret_x_resolution() const { return display_mode_row(display_mode).width; }
int Config::ret_y_resolution() const { return display_mode_row(display_mode).height; }
int Config::ret_bpp() const { return display_mode_row(display_mode).bpp; }

Config load_config(const std::string& path) {
    std::vector<unsigned char> bytes;
    std::string fault;
    if (!read_file_bytes(path, kMaxSettingsBytes, &bytes, &fault)) {
        // A missing or unreadable file is the ordinary first run; a file that
        // is there but refused (a FIFO, a device, far too large) is worth a word.
        if (fault.rfind("cannot open", 0) != 0)
            platform::log("settings file \"" + path + "\": " + fault + "; using the defaults");
        return Config();
    }
    std::istringstream in(std::string(bytes.begin(), bytes.end()), std::ios::binary);
    return Config(in);
}
