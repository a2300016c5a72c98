#include "fuzz_setup.h"

#include <sys/mman.h>
#include <unistd.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "platform/egl/headless_gl.h"
#include "platform/system/system.h"

namespace lunabrelle::fuzz {

void require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "fuzz: %s\n", property);
    std::abort();
}

void quiet_log() { platform::install_log_sink([](const std::string&) {}); }

void gl_context() {
    // Made once: a context per input would cost more than the input.
    static HeadlessGl* gl = [] {
        auto* made = new HeadlessGl;
        std::string error;
        require(made->create(64, 64, &error), "a headless GL context");
        for (GLenum array : {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY}) glEnableClientState(array);
        return made;
    }();
    require(gl->make_current(), "the headless GL context made current");
}

MemoryFile::MemoryFile() : fd_(memfd_create("lunabrelle-fuzz", 0)) { require(fd_ >= 0, "memfd_create"); }

MemoryFile::~MemoryFile() { close(fd_); }

void MemoryFile::write(const std::uint8_t* data, std::size_t size) {
    // A memory file takes a whole write at once, as a regular file does.
    require(ftruncate(fd_, 0) == 0 && pwrite(fd_, data, size, 0) == ssize_t(size), "the memory file written");
}

std::string MemoryFile::bytes() const {
    std::string out(std::size_t(lseek(fd_, 0, SEEK_END)), '\0');
    require(pread(fd_, out.data(), out.size(), 0) == ssize_t(out.size()), "the memory file read");
    return out;
}

}  // namespace lunabrelle::fuzz
