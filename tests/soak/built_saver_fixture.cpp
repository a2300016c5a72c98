#include "soak/built_saver_fixture.h"

#include <GL/gl.h>

#include <cstdlib>
#include <ctime>

#include "host/random_seed.h"
#include "platform/render/virtual_clock.h"
#include "platform/system/system.h"

namespace lunabrelle::test {

void BuiltSaverTest::SetUp() {
    const char* build = std::getenv("LUNABRELLE_BUILD_DIR");
    ASSERT_NE(build, nullptr) << "LUNABRELLE_BUILD_DIR is not set";
    const std::string resources = std::string(build) + "/resources";
    ASSERT_TRUE(std::filesystem::is_regular_file(resources + "/main.pak")) << resources;
    if (const char* tz = std::getenv("TZ")) {
        had_tz_ = true;
        old_tz_ = tz;
    }
    std::string tmpl = (std::filesystem::temp_directory_path() / "lunabrelle-soak-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    folder_ = tmpl;

    // Without rasterizer threads the GL driver keeps the same buffers after the
    // same frames, so heap readings compare; the pixels do not change.
    setenv("LP_NUM_THREADS", "0", 1);

    install_virtual_clock();
    set_virtual_time(0);
    seed_random(20261231);
    platform::set_resource_folder(resources);
    platform::set_settings_path((folder_ / "settings.cfg").string());
    ASSERT_TRUE(view_.initWithFrame(64, 48, false, &surface_)) << surface_.error;
    view_.setFrameSize(64, 48);
}

void BuiltSaverTest::TearDown() {
    if (view_.isAnimating()) view_.stopAnimation();
    remove_virtual_clock();
    if (had_tz_)
        setenv("TZ", old_tz_.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
}

void BuiltSaverTest::use_zone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
}

void BuiltSaverTest::save_settings(const Config& config) {
    ASSERT_TRUE(save_config(config, (folder_ / "settings.cfg").string()));
}

void BuiltSaverTest::frame() {
    view_.animateOneFrame();
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        if (gl_errors_ == 0) first_gl_error_ = error;
        ++gl_errors_;
    }
}

}  // namespace lunabrelle::test
