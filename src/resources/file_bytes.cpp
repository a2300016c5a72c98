#include "resources/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string reason(int error_number) { return std::strerror(error_number); }

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

bool read_file_bytes(const std::string& path, std::size_t limit, std::vector<unsigned char>* out,
                     std::string* error) {
    // Non-blocking, so that opening a FIFO returns at once instead of waiting
    // for a writer; the type check below then refuses it.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        *error = "cannot open: " + reason(errno);
        return false;
    }
    struct stat info {};
    if (fstat(file.get(), &info) != 0) {
        *error = "cannot read: " + reason(errno);
        return false;
    }
    // Devices and pipes may never end (/dev/zero) or never answer.
    if (!S_ISREG(info.st_mode)) {
        *error = S_ISDIR(info.st_mode) ? "it is a folder" : "not a regular file";
        return false;
    }
    if (info.st_size < 0 || static_cast<std::uintmax_t>(info.st_size) > limit) {
        *error = "larger than " + std::to_string(limit) + " bytes";
        return false;
    }
    out->clear();
    out->reserve(static_cast<std::size_t>(info.st_size));
    // Read to the end rather than trusting the size: the file may change under us.
    unsigned char chunk[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            *error = "cannot read: " + reason(errno);
            return false;
        }
        if (got == 0) break;
        if (std::size_t(got) > limit - out->size()) {
            *error = "larger than " + std::to_string(limit) + " bytes";
            return false;
        }
        out->insert(out->end(), chunk, chunk + got);
    }
    return true;
}
bool write_file_bytes(const std::string& path, std::span<const unsigned char> bytes,
                      std::string* error) {
    std::FILE* raw_file = std::fopen(path.c_str(), "wb");
    if (raw_file == nullptr) {
        *error = "cannot create: " + reason(errno);
        return false;
    }
    File file(raw_file);
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        *error = "cannot write: " + reason(errno);
        return false;
    }
    // Buffered data reaches the file only at close, so its result counts too.
    if (std::fclose(file.release()) != 0) {
        *error = "cannot write: " + reason(errno);
        return false;
    }
    return true;
}
