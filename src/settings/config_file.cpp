// Saving the settings file so that a failed or interrupted save never leaves a
// truncated file behind: the bytes go to a temporary file beside it, which is
// renamed over the old one only once it is complete.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <sstream>
#include <vector>

#include "settings/config.h"

namespace {

bool write_all(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return true;
}

}  // namespace

bool save_config(const Config& config, const std::string& path) {
    std::ostringstream encoded;
    if (!config.save(encoded)) return false;
    const std::string bytes = encoded.str();

    std::vector<char> temp(path.begin(), path.end());
    for (char c : std::string(".XXXXXX")) temp.push_back(c);
    temp.push_back('\0');
    int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    // mkstemp makes the file private; give it the mode a plain create would.
    const mode_t mask = umask(0);
    umask(mask);
    bool ok = fchmod(fd, 0666 & ~mask) == 0 && write_all(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temp.data(), path.c_str()) == 0;
    if (!ok) unlink(temp.data());
    return ok;
}
