#include "fuzz_setup.h"

#include <sys/mman.h>
#include <unistd.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "platform/egl/headless_gl.h"
#include "platform/system/system.h"

namespace lunabrelle::fuzz {

namespace {

void discard(const std::string&) {}

[[noreturn]] void give_up(const std::string& why) {
    std::fprintf(stderr, "fuzz setup: %s\n", why.c_str());
    std::abort();
}

}  // namespace

void require(bool holds, const char* property) {
    if (!holds) give_up(std::string("broken: ") + property);
}

void quiet_log() { platform::install_log_sink(discard); }

void gl_context() {
    // Made once: creating a context per input would cost more than the input.
    static HeadlessGl* gl = [] {
        auto* made = new HeadlessGl;
        std::string error;
        if (!made->create(64, 64, &error)) give_up(error);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        return made;
    }();
    if (!gl->make_current()) give_up("cannot make the headless GL context current");
}

MemoryFile::MemoryFile() : fd_(memfd_create("lunabrelle-fuzz", 0)) {
    if (fd_ < 0) give_up("memfd_create failed");
    path_ = folder() + name();
}

MemoryFile::~MemoryFile() { close(fd_); }

void MemoryFile::write(const std::uint8_t* data, std::size_t size) {
    if (ftruncate(fd_, 0) != 0) give_up("cannot truncate the memory file");
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) give_up("cannot write the memory file");
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace lunabrelle::fuzz
