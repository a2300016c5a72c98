#include "platform/x11/options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <initializer_list>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace lunabrelle::x11 {
namespace {

// "--root" and "-root" are the same option; a lone "-" or "--" is no option.
std::string option_name(const std::string& arg) {
    if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) return arg.substr(2);
    if (arg.size() > 1 && arg[0] == '-' && arg[1] != '-') return arg.substr(1);
    return {};
}

// A whole number from 0 to max, digits only.
bool parse_count(const std::string& text, long max, long* out) {
    if (text.empty() || text.size() > 12) return false;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > max) return false;
    *out = value;
    return true;
}

// WxH, WxH+X+Y or +X+Y (X and Y may be negative: from the right or bottom).
bool parse_geometry(const std::string& text, Geometry* out) {
    int x = 0, y = 0;
    unsigned width = 0, height = 0;
    const int mask = XParseGeometry(text.c_str(), &x, &y, &width, &height);
    if (mask == NoValue) return false;
    const bool has_size = (mask & WidthValue) && (mask & HeightValue);
    const bool has_position = (mask & XValue) && (mask & YValue);
    if (!has_size && !has_position) return false;
    if (has_size && (width == 0 || height == 0 || width > 32767 || height > 32767)) return false;
    Geometry g;
    g.has_size = has_size;
    g.width = width;
    g.height = height;
    g.has_position = has_position;
    g.x = x;
    g.y = y;
    g.x_from_right = (mask & XNegative) != 0;
    g.y_from_bottom = (mask & YNegative) != 0;
    *out = g;
    return true;
}

}  // namespace

bool parse_window_id(const std::string& text, unsigned long* id) {
    if (text.empty()) return false;
    int base = 10;
    std::string digits = text;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        digits = text.substr(2);
    }
    // strtoul would take a sign or leading blanks; hosts never send them.
    for (char c : digits) {
        const bool ok = base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                                   : (c >= '0' && c <= '9');
        if (!ok) return false;
    }
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(digits.c_str(), &end, base);
    if (errno != 0 || *end != '\0' || value == 0 || value > 0xFFFFFFFFull) return false;
    *id = static_cast<unsigned long>(value);
    return true;
}

Options parse_options(const std::vector<std::string>& args) {
    Options out;
    bool root = false;
    bool window_id = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = option_name(args[i]);
        std::string value;
        bool has_value = false;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            has_value = true;
        }
        const auto take_value = [&]() {
            if (has_value) return true;
            if (i + 1 >= args.size()) return false;
            value = args[++i];
            return true;
        };
        const auto bad = [&](const std::string& why) {
            out.error = why;
            return out;
        };
        // An option with a value from a fixed list: the index of the word.
        const auto choose = [&](std::initializer_list<const char*> words, int* chosen) {
            if (!take_value()) return false;
            int k = 0;
            for (const char* word : words) {
                if (value == word) {
                    *chosen = k;
                    return true;
                }
                ++k;
            }
            return false;
        };
        int pick = 0;
        if (name == "window-id") {
            if (!take_value()) return bad("-window-id needs a window id");
            if (!parse_window_id(value, &out.window_id))
                return bad("-window-id: \"" + value + "\" is not a window id (decimal or 0x hex)");
            window_id = true;
        } else if (name == "display") {
            if (!take_value() || value.empty()) return bad("-display needs a display name");
            out.display = value;
        } else if (name == "visual") {
            if (!take_value() || value.empty()) return bad("-visual needs default, best or a visual id");
            out.visual = value;
        } else if (name == "geometry") {
            if (!take_value() || !parse_geometry(value, &out.geometry))
                return bad("-geometry needs WIDTHxHEIGHT[+X+Y], e.g. 800x600+10+10");
        } else if (name == "delay") {
            if (!take_value() || !parse_count(value, kMaxDelayUs, &out.delay_us))
                return bad("-delay needs microseconds from 0 to " + std::to_string(kMaxDelayUs));
        } else if (name == "frames") {
            if (!take_value() || !parse_count(value, 1'000'000'000, &out.frames))
                return bad("-frames needs a count of frames");
        } else if (name == "title") {
            if (!take_value()) return bad("-title needs a title");
            out.title = value;
        } else if (name == "fg" || name == "bg" || name == "foreground" || name == "background" ||
                   name == "xrm" || name == "name") {
            // Shared by XScreenSaver's hacks; nothing here uses them.
            if (!take_value()) return bad("-" + name + " needs a value");
        } else if (name == "clock") {
            if (!choose({"none", "digital", "analog"}, &pick)) return bad("-clock needs none, digital or analog");
            out.show_time = pick != 0;
            if (pick != 0) out.analog_clock = pick == 2;
        } else if (name == "hours") {
            if (!choose({"12", "24"}, &pick)) return bad("-hours needs 12 or 24");
            out.time_24h = pick == 1;
        } else if (name == "clock-size") {
            if (!choose({"big", "small"}, &pick)) return bad("-clock-size needs big or small");
            out.big_clock = pick == 0;
        } else if (name == "week-starts") {
            if (!choose({"sunday", "monday"}, &pick)) return bad("-week-starts needs sunday or monday");
            out.monday_first = pick == 1;
        } else if (has_value) {
            return bad("option " + args[i] + " takes no value");
        } else if (name == "root") {
            root = true;
        } else if (name == "window") {
            // The default; accepted because hosts and users pass it.
        } else if (name == "fps" || name == "no-fps") {
            out.show_fps = name == "fps";
        } else if (name == "calendar" || name == "no-calendar") {
            out.show_calendar = name == "calendar";
        } else if (name == "install" || name == "noinstall" || name == "mono" || name == "sync" ||
                   name == "pair") {
            // Shared by XScreenSaver's hacks; without a meaning for a GL window.
        } else if (name == "settings") {
            out.settings = true;
        } else if (name == "add-to-xscreensaver") {
            out.add_to_xscreensaver = true;
        } else if (name == "help" || name == "h") {
            out.help = true;
        } else if (name == "version") {
            out.version = true;
        } else {
            return bad("unknown option \"" + args[i] + "\"");
        }
    }
    out.target = window_id ? Target::window_id : root ? Target::root : Target::own_window;
    return out;
}

std::string usage(const std::string& program) {
    return "Usage: " + program + " [options]\n"
           "Draws the Lunabrelle meadow: in its own window, on the root window, or in\n"
           "a window handed over by a screen-saver host.\n"
           "\n"
           "Options (one or two leading dashes):\n"
           "  -window             draw in a window of its own (the default); F11 or f\n"
           "                      toggles full screen, Escape or q quits\n"
           "  -root               draw on the screen saver's window: $XSCREENSAVER_WINDOW\n"
           "                      when set, else the virtual root, else the root window\n"
           "  -window-id ID       draw in the existing window ID (decimal or 0x hex);\n"
           "                      wins over -root\n"
           "  -display NAME       the X display to use (default $DISPLAY)\n"
           "  -geometry WxH[+X+Y] size and place of a window of its own\n"
           "  -title TEXT         title of a window of its own\n"
           "  -visual VISUAL      default, best or a visual id, for a window of its own\n"
           "  -delay MICROSECONDS at least this long from one frame's start to the next\n"
           "                      (default 16667: 60 frames a second)\n"
           "  -frames N           stop after N frames\n"
           "\n"
           "For this run only, over the settings file:\n"
           "  -clock none|digital|analog   -hours 12|24   -clock-size big|small\n"
           "  -calendar, -no-calendar      -week-starts sunday|monday\n"
           "  -fps, -no-fps                the frame-rate display\n"
           "\n"
           "  -settings           open the settings dialog (lunabrelle-settings)\n"
           "  -add-to-xscreensaver add \"GL: lunabrelle --root\" to ~/.xscreensaver\n"
           "  -version            print the version and exit\n"
           "  -help               show this help and exit\n"
           "\n"
           "Accepted and ignored, as XScreenSaver passes them to every hack: -install,\n"
           "-noinstall, -mono, -sync, -pair, -fg COLOUR, -bg COLOUR, -xrm RESOURCE,\n"
           "-name NAME.\n"
           "\n"
           "The settings file is written by lunabrelle-settings; this program reads it\n"
           "at start.\n";
}

}  // namespace lunabrelle::x11
