// lunabrelle: the saver on X11, in a window, on the root window or in a
// window handed over by a screen-saver host (XScreenSaver, MATE, Xfce).
#include <cstdio>
#include <string>
#include <vector>

#include "platform/system/system.h"
#include "platform/x11/archive_check.h"
#include "platform/x11/options.h"
#include "platform/x11/settings_launch.h"
#include "platform/x11/x11_host.h"
#include "platform/x11/xscreensaver_entry.h"

int main(int argc, char** argv) {
    using namespace lunabrelle::x11;
    const std::string program = platform::program_name();
    const Options options = parse_options(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) {
        std::fprintf(stderr, "%s: %s\n%s", program.c_str(), options.error.c_str(), usage(program).c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(usage(program).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", program.c_str(), platform::version());
        return 0;
    }
    if (options.add_to_xscreensaver) return add_to_xscreensaver();
    if (options.settings) {
        platform::log(exec_settings(options.display));
        return 1;
    }
    if (const std::string fault = check_archives(platform::resource_folder()); !fault.empty()) {
        platform::log(fault);
        return 1;
    }
    return run_host(options);
}
