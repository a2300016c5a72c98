#include "platform/x11/options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace lunabrelle::x11 {
namespace {

// "--root" and "-root" are the same option; a lone "-" or "--" is no option.
std::string option_name(const std::string& arg) {
    if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) return arg.substr(2);
    if (arg.size() > 1 && arg[0] == '-' && arg[1] != '-') return arg.substr(1);
    return {};
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
        if (name == "window-id") {
            if (!take_value()) return bad("-window-id needs a window id");
            if (!parse_window_id(value, &out.window_id))
                return bad("-window-id: \"" + value + "\" is not a window id (decimal or 0x hex)");
            window_id = true;
        } else if (name == "display") {
            if (!take_value() || value.empty()) return bad("-display needs a display name");
            out.display = value;
        } else if (has_value) {
            return bad("option " + args[i] + " takes no value");
        } else if (name == "root") {
            root = true;
        } else if (name == "window") {
            // The default; accepted because hosts and users pass it.
        } else if (name == "fps") {
            out.show_fps = true;
        } else if (name == "settings") {
            out.settings = true;
        } else if (name == "help" || name == "h") {
            out.help = true;
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
           "  -window           draw in a window of its own (the default); F11 or f\n"
           "                    toggles full screen, Escape or q quits\n"
           "  -root             draw on the screen saver's window: $XSCREENSAVER_WINDOW\n"
           "                    when set, else the virtual root, else the root window\n"
           "  -window-id ID     draw in the existing window ID (decimal or 0x hex);\n"
           "                    wins over -root\n"
           "  -display NAME     the X display to use (default $DISPLAY)\n"
           "  -fps              show the frame-rate display for this run\n"
           "  -settings         open the settings dialog (lunabrelle-settings)\n"
           "  -help             show this help and exit\n"
           "\n"
           "The clock, calendar and frame-rate display are chosen with\n"
           "lunabrelle-settings; this program reads its settings file at start.\n";
}

}  // namespace lunabrelle::x11
