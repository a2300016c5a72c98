#include "platform/x11/archive_check.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace lunabrelle::x11 {

const std::vector<std::string>& scene_archives() {
    static const std::vector<std::string> names = {
        "main.pak",       "butterfly1.pak", "butterfly2.pak", "butterfly3.pak", "butterfly4.pak",
        "butterfly5.pak", "clock.pak",      "calendar.pak",   "utils.pak"};
    return names;
}

std::string check_archives(const std::string& folder) {
    for (const std::string& name : scene_archives()) {
        const std::string path = folder + "/" + name;
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec))
            return "cannot read archive \"" + path + "\": it is a folder";
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr) return "cannot read archive \"" + path + "\": " + std::strerror(errno);
        std::fclose(file);
    }
    return {};
}

}  // namespace lunabrelle::x11
