// Once-per-process setup shared by the fuzz targets, and a file in memory
// through which the targets hand bytes to readers that take a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lunabrelle::fuzz {

// Sends platform::log to nowhere, so a run of millions of inputs is not a
// flood on stderr and the system log. Idempotent.
void quiet_log();

// Makes a headless GL context (64 x 64) current, created on the first call and
// kept for the life of the process; client vertex, normal and texture
// coordinate arrays enabled as the scene enables them. Aborts when no context
// can be made: a target that needs GL is meaningless without one.
void gl_context();

// Aborts with one line naming the broken property when holds is false: the
// fuzzer then keeps the input that broke it.
void require(bool holds, const char* property);

// A file that lives in memory (memfd) for the life of the object, reachable
// by path. Aborts when it cannot be made.
class MemoryFile {
public:
    MemoryFile();
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // Replaces the file's contents with size bytes at data.
    void write(const std::uint8_t* data, std::size_t size);

    // "/proc/self/fd/<n>"; folder() is the part before the name.
    const std::string& path() const { return path_; }
    static std::string folder() { return "/proc/self/fd/"; }
    std::string name() const { return std::to_string(fd_); }

private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace lunabrelle::fuzz
