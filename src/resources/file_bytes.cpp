#include "resources/file_bytes.h"

#include <sys/stat.h>

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

}  // namespace

bool read_file_bytes(const std::string& path, std::size_t limit, std::vector<unsigned char>* out,
                     std::string* error) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        *error = "cannot open: " + reason(errno);
        return false;
    }
    out->clear();
    // Read in chunks rather than trusting a size from seek: the file may be a
    // pipe or change under us. A regular file's size still serves as a hint,
    // sparing the copies of a growing buffer.
    struct stat info {};
    if (fstat(fileno(file.get()), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        static_cast<std::uintmax_t>(info.st_size) <= limit)
        out->reserve(static_cast<std::size_t>(info.st_size));
    unsigned char chunk[64 * 1024];
    for (;;) {
        std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        if (got > limit - out->size()) {
            *error = "larger than " + std::to_string(limit) + " bytes";
            return false;
        }
        out->insert(out->end(), chunk, chunk + got);
        if (got < sizeof chunk) break;
    }
    if (std::ferror(file.get())) {
        *error = "cannot read: " + reason(errno);
        return false;
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
