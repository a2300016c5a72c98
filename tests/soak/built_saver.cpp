#include "soak/built_saver.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "host/frame_driver.h"
#include "host/random_seed.h"
#include "host/singletons.h"
#include "platform/render/virtual_clock.h"
#include "platform/system/system.h"

#if defined(__SANITIZE_ADDRESS__)
#include <cstddef>
// The sanitizer runtime's count (GCC ships the runtime but not its headers).
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

void BuiltSaverTest::SetUp() {
    const char* build = std::getenv("LUNABRELLE_BUILD_DIR");
    ASSERT_NE(build, nullptr) << "LUNABRELLE_BUILD_DIR is not set";
    const std::string resources = std::string(build) + "/resources";
    ASSERT_TRUE(std::filesystem::is_regular_file(resources + "/main.pak")) << resources;
    // Without rasterizer threads the GL driver keeps the same buffers after the
    // same frames, so heap readings compare; the pixels do not change.
    setenv("LP_NUM_THREADS", "0", 1);
    install_virtual_clock();
    set_virtual_time(0);
    seed_random(20261231);
    platform::set_resource_folder(resources);
    platform::set_settings_path(folder_.file("settings.cfg"));
    ASSERT_TRUE(view_.initWithFrame(64, 48, false, &surface_)) << surface_.error;
    view_.setFrameSize(64, 48);
}

void BuiltSaverTest::TearDown() {
    if (view_.isAnimating()) view_.stopAnimation();
    remove_virtual_clock();
    use_zone("UTC");
}

void BuiltSaverTest::use_zone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
}

void BuiltSaverTest::save_settings(const Config& config) {
    ASSERT_TRUE(save_config(config, folder_.file("settings.cfg")));
}

void BuiltSaverTest::frame() {
    view_.animateOneFrame();
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR && gl_errors_++ == 0) first_gl_error_ = error;
}

int world_nodes() { return (map != nullptr ? subtree(map) : 0) + (overlay != nullptr ? subtree(overlay) : 0); }

int open_archives() { return static_cast<int>(media.packs.size()); }

int archive_references() {
    int n = 0;
    for (std::int32_t r : media.refs) n += r;
    return n;
}

int computed_textures() { return static_cast<int>(texturebase.generators.size()); }

int live_texture_names() {
    // A driver that reuses freed names keeps them low; one that counts up
    // hands out a name above every name in use. The scan covers both.
    GLuint next = 0;
    glGenTextures(1, &next);
    glDeleteTextures(1, &next);
    int n = 0;
    for (GLuint name = 1; name <= std::max<GLuint>(next, 4096); ++name) n += glIsTexture(name) ? 1 : 0;
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
    const struct mallinfo2 m = mallinfo2();  // mapped chunks too: large pixel buffers
    return static_cast<std::int64_t>(m.uordblks + m.hblkhd);
#endif
}

}  // namespace lunabrelle::test
