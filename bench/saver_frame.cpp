// Per-tick cost of the saver view as a host drives it, on a headless context:
// an empty world (the frame driver's own clear, camera and flush) and the
// built meadow at 640 x 360 without overlays. The meadow needs the resource
// archives of the build tree; without them that benchmark is skipped.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "host/frame_driver.h"
#include "host/random_seed.h"
#include "host/saver_view.h"
#include "host/singletons.h"
#include "platform/egl/headless_gl.h"
#include "platform/system/system.h"
#include "settings/config.h"

namespace {

class BenchSurface : public GlSurface {
public:
    bool create() override { return gl.create(1, 1, nullptr); }
    bool make_current() override { return gl.make_current(); }
    void resize(double width, double height) override {
        gl.resize(std::max(1, whole_units(width)), std::max(1, whole_units(height)), nullptr);
    }
    lunabrelle::HeadlessGl gl;
};

std::string settings_without_overlays() {
    const auto path = std::filesystem::temp_directory_path() / "lunabrelle-bench.cfg";
    Config config;
    config.show_fps = config.show_time = config.show_calendar = false;
    save_config(config, path.string());
    return path.string();
}

void BM_EmptyWorldFrame(benchmark::State& state) {
    lunabrelle::HeadlessGl gl;
    if (!gl.create(640, 360, nullptr)) {
        state.SkipWithError("no headless GL context");
        return;
    }
    mac_config_path = settings_without_overlays();
    mac_construct();
    for (auto _ : state) {
        mac_draw_one_frame();
        glFinish();
    }
    mac_destruct();
}
BENCHMARK(BM_EmptyWorldFrame);

void BM_MeadowTick(benchmark::State& state) {
    if (!std::filesystem::exists(platform::resource_folder() + "/main.pak")) {
        state.SkipWithError("no resource archives");
        return;
    }
    platform::set_settings_path(settings_without_overlays());
    seed_random(1);
    BenchSurface surface;
    quorvixlunabrelle view;
    if (!view.initWithFrame(640, 360, false, &surface)) {
        state.SkipWithError("no headless GL context");
        return;
    }
    view.setFrameSize(640, 360);
    view.startAnimation();
    view.animateOneFrame();  // builds the scene
    for (auto _ : state) {
        view.animateOneFrame();
        glFinish();
    }
    view.stopAnimation();
}
BENCHMARK(BM_MeadowTick)->Unit(benchmark::kMillisecond);

}  // namespace
