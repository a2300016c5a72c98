// Saving the settings file so that a failed or interrupted save never leaves a
// truncated file behind: the bytes go to a temporary file beside it, which is
// renamed over the old one only once it is complete and on disk.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <sstream>
#include <string>

#include "resources/link_target.h"
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

std::string folder_of(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes folder and any missing folders above it, private to the user as a
// settings folder should be. True when folder exists afterwards.
bool make_folders(const std::string& folder) {
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    if (folder != folder_of(folder) && !make_folders(folder_of(folder))) return false;
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

// Makes the folder's new entries (the rename) survive a crash too.
void sync_folder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

bool save_config(const Config& config, const std::string& path) {
    std::ostringstream encoded;
    if (!config.save(encoded)) return false;
    const std::string bytes = encoded.str();

    // A settings file that is a link stays one: its target is what is replaced.
    std::string target, error;
    if (!final_link_target(path, &target, &error)) return false;
    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;
    // A device or FIFO in the file's place is not ours to replace.
    if (exists && !S_ISREG(old.st_mode)) return false;
    const std::string folder = folder_of(target);
    if (!make_folders(folder)) return false;

    // One fixed temporary name: a save killed half-way leaves at most this one
    // file, which the next save truncates and reuses. O_NOFOLLOW keeps a link
    // planted under that name from redirecting the write.
    const std::string temp = target + ".saving";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    // The new file gets the old one's mode (a private file stays private), or
    // the mode a plain create would give.
    mode_t mode = 0;
    if (exists) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = fchmod(fd, mode) == 0 && write_all(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    sync_folder(folder);
    return true;
}
