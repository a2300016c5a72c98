#include "platform/render/png_output.h"

#include <stb_image_write.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "resources/link_target.h"

namespace lunabrelle {
namespace {

void append_bytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

std::string folder_of(const std::string& path) {
    const auto parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// Writes a PNG straight into a device or FIFO: these are not replaced. A FIFO
// nobody reads from is refused rather than waited on.
bool write_into(const std::string& path, const std::string& target,
                const std::vector<std::uint8_t>& png, std::string* error) {
    const int fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = "cannot write " + path + ": " +
                 (errno == ENXIO ? std::string("no reader on the pipe") : std::strerror(errno));
        return false;
    }
    // Once open, a slow reader is waited for like any other.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::size_t done = 0;
    while (done < png.size()) {
        const ssize_t n = ::write(fd, png.data() + done, png.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            *error = "cannot write " + path + ": " + std::strerror(n < 0 ? errno : EIO);
            close(fd);
            return false;
        }
        done += std::size_t(n);
    }
    close(fd);
    return true;
}

// Writes the PNG beside target under a temporary name and renames it over
// target, which is a regular file or not there yet.
bool replace_file(const std::string& path, const std::string& target,
                  const std::vector<std::uint8_t>& png, std::string* error) {
    std::string temp = folder_of(target) + "/.lunabrelle-render-XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        *error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const auto fail = [&](int code) {
        *error = "cannot write " + path + ": " + std::strerror(code);
        std::remove(temp.c_str());
        return false;
    };
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        const int code = errno;
        close(fd);
        return fail(code);
    }
    if (std::fwrite(png.data(), 1, png.size(), file) != png.size()) {
        const int code = errno;
        std::fclose(file);
        return fail(code);
    }
    if (std::fclose(file) != 0) return fail(errno);
    // mkstemp makes the file private to its owner; a picture is for everyone.
    if (chmod(temp.c_str(), 0644) != 0) return fail(errno);
    if (std::rename(temp.c_str(), target.c_str()) != 0) return fail(errno);
    return true;
}

}  // namespace

bool write_png(const std::string& path, int width, int height,
               const std::vector<std::uint8_t>& rgba, std::string* error) {
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (width < 1 || height < 1 || rgba.size() != pixels * 4) {
        *error = "no whole frame to write to " + path;
        return false;
    }
    std::vector<std::uint8_t> rgb(pixels * 3);
    for (std::size_t i = 0; i < pixels; ++i) std::memcpy(&rgb[i * 3], &rgba[i * 4], 3);
    std::vector<std::uint8_t> png;
    if (!stbi_write_png_to_func(append_bytes, &png, width, height, 3, rgb.data(), width * 3)) {
        *error = "could not encode the PNG for " + path;
        return false;
    }
    std::string target, fault;
    if (!final_link_target(path, &target, &fault)) {
        *error = "cannot write " + path + ": " + fault;
        return false;
    }
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) || S_ISFIFO(info.st_mode))
            return write_into(path, target, png, error);
        *error = "cannot write " + path + ": not a regular file";
        return false;
    }
    return replace_file(path, target, png, error);
}

std::string frame_file_name(std::int64_t frame) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%06lld.png", static_cast<long long>(frame));
    return name;
}

bool writable_folder(const std::string& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec) && access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace lunabrelle
