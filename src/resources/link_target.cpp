#include "resources/link_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// The same bound the system puts on links followed in one lookup.
constexpr int kMaxLinks = 40;

std::string folder_of(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

bool final_link_target(const std::string& path, std::string* target, std::string* error) {
    std::string at = path;
    for (int followed = 0; followed <= kMaxLinks; ++followed) {
        struct stat info {};
        if (lstat(at.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            *target = at;
            return true;
        }
        std::vector<char> link(std::size_t(info.st_size > 0 ? info.st_size : 255) + 1);
        const ssize_t n = readlink(at.c_str(), link.data(), link.size());
        if (n < 0 || std::size_t(n) >= link.size()) {
            *error = "cannot follow the link " + at + ": " +
                     (n < 0 ? std::strerror(errno) : "it changed while read");
            return false;
        }
        const std::string next(link.data(), std::size_t(n));
        at = !next.empty() && next[0] == '/' ? next : folder_of(at) + next;
    }
    *error = "too many levels of symbolic links at " + path;
    return false;
}
