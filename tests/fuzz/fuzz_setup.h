// Once-per-process setup shared by the fuzz targets, and a file in memory
// through which they hand bytes to readers that take a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lunabrelle::fuzz {

// Sends platform::log to nowhere: millions of inputs must not flood the log.
void quiet_log();
// Makes a 64 x 64 headless GL context current (made once, kept), with client
// vertex, normal and texture coordinate arrays enabled as the scene does.
void gl_context();
// Aborts naming the property when holds is false, so the fuzzer keeps the input.
void require(bool holds, const char* property);

// A memfd reachable by path ("/proc/self/fd/<n>") for the object's life.
// Every function here aborts when it cannot do its work.
class MemoryFile {
public:
    MemoryFile();
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    void write(const std::uint8_t* data, std::size_t size);  // replaces the contents
    std::string bytes() const;                                 // the contents
    std::string path() const { return "/proc/self/fd/" + std::to_string(fd_); }

private:
    int fd_;
};

}  // namespace lunabrelle::fuzz
