#include "platform/x11/settings_launch.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace lunabrelle::x11 {

std::string exec_settings(const std::string& display) {
    const char* const name = "lunabrelle-settings";
    std::vector<std::string> args = {name};
    if (!display.empty()) args.insert(args.end(), {"--display", display});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    // The program's own folder first, so that a build tree or an installation
    // starts its own dialog rather than another one on $PATH.
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const std::string beside = (self.parent_path() / name).string();
        if (access(beside.c_str(), X_OK) == 0) execv(beside.c_str(), argv.data());
    }
    execvp(name, argv.data());
    return std::string("Couldn't start ") + name + ": " + std::strerror(errno);
}

}  // namespace lunabrelle::x11
