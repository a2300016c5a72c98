#include "platform/x11/archive_check.h"

#include "resources/pack.h"

namespace lunabrelle::x11 {

const std::vector<std::string>& scene_archives() {
    static const std::vector<std::string> names = {
        "main.pak",       "butterfly1.pak", "butterfly2.pak", "butterfly3.pak", "butterfly4.pak",
        "butterfly5.pak", "clock.pak",      "calendar.pak",   "utils.pak"};
    return names;
}

std::string check_archives(const std::string& folder) {
    for (const std::string& name : scene_archives()) {
        // Read whole, as the scene will: a damaged archive found now is a
        // message, found in a frame it would end the process.
        const std::string path = folder + "/" + name;
        Pack pack;
        std::string error;
        if (!pack.read(path.c_str(), &error)) return error;
    }
    return {};
}

}  // namespace lunabrelle::x11
