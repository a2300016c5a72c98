#include "platform/system/system.h"

#include <errno.h>
#include <spawn.h>
#include <sys/random.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <syslog.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

extern char** environ;

namespace platform {
namespace {

ClockFunction installed_clock = nullptr;
LogSink installed_sink = nullptr;
std::optional<std::string> resource_override;
std::optional<std::string> settings_override;

std::filesystem::path program_folder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

}  // namespace

WallClock wall_clock() {
    if (installed_clock != nullptr) return installed_clock();
    timeval tv{};
    gettimeofday(&tv, nullptr);
    return {tv.tv_sec, tv.tv_usec};
}

std::time_t calendar_time() {
    if (installed_clock != nullptr) return static_cast<std::time_t>(installed_clock().seconds);
    return std::time(nullptr);
}

bool local_time(std::time_t t, std::tm* out) {
    std::tm result{};
    if (localtime_r(&t, &result) == nullptr) return false;
    *out = result;
    return true;
}

void install_clock(ClockFunction clock) { installed_clock = clock; }

unsigned random_seed() {
    unsigned seed = 0;
    if (getrandom(&seed, sizeof seed, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof seed)) return seed;
    // No entropy yet (early boot): the real clock's microseconds and the pid
    // still tell two processes apart.
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::uint64_t mix = static_cast<std::uint64_t>(tv.tv_sec) * 1'000'003u + static_cast<std::uint64_t>(tv.tv_usec);
    mix ^= static_cast<std::uint64_t>(getpid()) * 0x9E3779B97F4A7C15ull;
    mix ^= mix >> 29;
    return static_cast<unsigned>(mix ^ (mix >> 32));
}

const char* version() { return LUNABRELLE_VERSION; }

std::string program_name() { return program_invocation_short_name; }

void log(const std::string& message) {
    if (installed_sink != nullptr) {
        installed_sink(message);
        return;
    }
    openlog(program_invocation_short_name, LOG_PID, LOG_USER);
    syslog(LOG_NOTICE, "%s", message.c_str());
    closelog();
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, message.c_str());
}

void install_log_sink(LogSink sink) { installed_sink = sink; }

void beep() {
    std::fputc('\a', stderr);
    std::fflush(stderr);
}

bool open_url(const std::string& url) {
    pid_t pid = 0;
    const char* argv[] = {"xdg-open", url.c_str(), nullptr};
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
        return false;
    // xdg-open hands the address to the browser and returns; reap it so that
    // no zombie is left behind.
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string resource_folder() {
    if (resource_override) return *resource_override;
    return resource_folder_beside(program_folder().string());
}

std::string resource_folder_beside(const std::string& program_folder) {
    const std::filesystem::path bin(program_folder);
    std::error_code ec;
    std::vector<std::filesystem::path> installed = {bin.parent_path() / "share" / "lunabrelle"};
    if (bin.filename() == "xscreensaver")
        installed.push_back(bin.parent_path().parent_path() / "share" / "lunabrelle");
    for (const auto& folder : installed)
        if (std::filesystem::is_directory(folder, ec)) return folder.string();
    // Programs of the build tree live in its top folder or one below it.
    for (const auto& dir : {bin, bin.parent_path()})
        if (std::filesystem::is_directory(dir / "resources", ec)) return (dir / "resources").string();
    return (bin / "resources").string();
}

void set_resource_folder(const std::string& folder) { resource_override = folder; }

std::string settings_path() {
    if (settings_override) return *settings_override;
    const char* home = std::getenv("HOME");
    const std::string home_dir = home != nullptr ? home : "";
#ifdef __APPLE__
    return home_dir + "/Library/Preferences/quorvix_lunabrelle.cfg";
#else
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string config_dir = (xdg != nullptr && xdg[0] == '/') ? xdg : home_dir + "/.config";
    return config_dir + "/quorvix_lunabrelle.cfg";
#endif
}

void set_settings_path(const std::string& path) { settings_override = path; }

}  // namespace platform
