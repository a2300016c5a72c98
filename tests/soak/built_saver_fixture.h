// A saver view as lunabrelle-render hosts it: the build's own resource
// archives, a headless subview, the renderer's virtual clock, a private
// settings file and a fixed random seed. For tests that run the whole saver
// for many frames; each frame is drawn at the clock's current reading.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "host/saver_view.h"
#include "platform/render/headless_surface.h"
#include "settings/config.h"

namespace lunabrelle::test {

class BuiltSaverTest : public ::testing::Test {
protected:
    // Resources from $LUNABRELLE_BUILD_DIR/resources; the view created at
    // 64 x 48 and not started.
    void SetUp() override;
    // Stops a running view, puts the real clock and TZ back, removes the folder.
    void TearDown() override;

    // Sets the process's time zone (TZ) for local time.
    void use_zone(const char* zone);

    // Writes the settings file the next start (or the sheet's save) reads.
    void save_settings(const Config& config);

    // Draws one frame at the clock's reading and counts a GL error, if any.
    void frame();

    std::filesystem::path folder_;
    HeadlessSurface surface_;
    quorvixlunabrelle view_;
    int gl_errors_ = 0;
    unsigned first_gl_error_ = 0;

private:
    std::string old_tz_;
    bool had_tz_ = false;
};

}  // namespace lunabrelle::test
