#include "soak/saver_census.h"

#include <GL/gl.h>

#include <algorithm>
#include <filesystem>

#include "host/frame_driver.h"
#include "host/singletons.h"

#if defined(__SANITIZE_ADDRESS__)
#include <cstddef>
// The sanitizer runtime's count of bytes in use (GCC ships the runtime but
// not its interface headers).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace lunabrelle::test {
namespace {

int subtree(const Object* node) {
    int n = 1;
    for (const Object* child : node->links) n += subtree(child);
    return n;
}

}  // namespace

int world_nodes() {
    int n = 0;
    if (map != nullptr) n += subtree(map);
    if (overlay != nullptr) n += subtree(overlay);
    return n;
}

int open_archives() { return static_cast<int>(media.packs.size()); }

int archive_references() {
    int n = 0;
    for (std::int32_t r : media.refs) n += r;
    return n;
}

int image_texture_references() {
    int n = 0;
    for (const Pack* pack : media.packs)
        for (std::int32_t r : pack->texture_refs) n += r;
    return n;
}

int computed_textures() { return static_cast<int>(texturebase.generators.size()); }

int live_texture_names() {
    // A driver that reuses freed names keeps them low; one that counts up
    // hands out a name above every name in use. The scan covers both.
    GLuint next = 0;
    glGenTextures(1, &next);
    glDeleteTextures(1, &next);
    const GLuint last = std::max<GLuint>(next, 4096);
    int n = 0;
    for (GLuint name = 1; name <= last; ++name)
        if (glIsTexture(name)) ++n;
    return n;
}

int open_descriptors() {
    int n = 0;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator("/proc/self/fd", ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
        ++n;
    return n;
}

std::int64_t allocated_bytes() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#else
    // Chunks in the heap and mapped ones alike: large pixel buffers are mapped.
    const struct mallinfo2 m = mallinfo2();
    return static_cast<std::int64_t>(m.uordblks + m.hblkhd);
#endif
}

}  // namespace lunabrelle::test
