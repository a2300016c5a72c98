// A saver view as lunabrelle-render hosts it, for tests that run the whole
// saver for many frames: the build's own archives, a headless subview at
// 64 x 48, the renderer's virtual clock, a private settings file and a fixed
// random seed; and counts of what the saver holds, read afresh on each call.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "host/saver_view.h"
#include "platform/render/headless_surface.h"
#include "settings/config.h"
#include "support/temp_folder.h"

namespace lunabrelle::test {

class BuiltSaverTest : public ::testing::Test {
protected:
    void SetUp() override;     // the view created, not started
    void TearDown() override;  // stopped; the real clock and TZ back

    void use_zone(const char* zone);  // the process's TZ
    void save_settings(const Config& config);
    void frame();  // at the clock's reading; counts a GL error

    TempFolder folder_;
    HeadlessSurface surface_;
    quorvixlunabrelle view_;
    int gl_errors_ = 0;
    unsigned first_gl_error_ = 0;
};

int world_nodes();         // reachable from map and overlay; 0 without a world
int open_archives();       // in the registry
int archive_references();  // counted on them
int computed_textures();   // in the texture registry
int live_texture_names();  // glIsTexture answers in the current context
int open_descriptors();    // entries of /proc/self/fd
// Heap bytes in use: the sanitizer allocator's count under AddressSanitizer,
// mallinfo2 otherwise.
std::int64_t allocated_bytes();

}  // namespace lunabrelle::test
