// Per-tick cost of the saver view as a host drives it, on a headless context:
// an empty world (the frame driver's own clear, camera and flush), the built
// meadow at 640 x 360 without overlays, and the full saver (meadow, clock,
// calendar, frame-rate display) at 64 x 64, where rasterisation costs next to
// nothing and the CPU time is the system's own work plus the GL driver's
// handling of its calls. The full saver runs on a 60 Hz virtual clock so that
// every run builds the same glyphs at the same frames. The scenes need the
// resource archives of the build tree; without them those benchmarks are
// skipped.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "host/frame_driver.h"
#include "host/random_seed.h"
#include "host/saver_view.h"
#include "host/singletons.h"
#include "platform/egl/headless_gl.h"
#include "platform/system/system.h"
#include "platform/render/headless_surface.h"
#include "support/overlay_settings.h"
#include "support/virtual_clock.h"

namespace {

using lunabrelle::bench::Overlays;

bool have_archives() {
    return std::filesystem::exists(platform::resource_folder() + "/main.pak");
}

void BM_EmptyWorldFrame(benchmark::State& state) {
    lunabrelle::HeadlessGl gl;
    if (!gl.create(640, 360, nullptr)) {
        state.SkipWithError("no headless GL context");
        return;
    }
    const std::string settings = lunabrelle::bench::temporary_overlay_settings(Overlays::none);
    mac_config_path = settings;
    mac_construct();
    for (auto _ : state) {
        mac_draw_one_frame();
        glFinish();
    }
    mac_destruct();
    std::remove(settings.c_str());
}
BENCHMARK(BM_EmptyWorldFrame);

void BM_MeadowTick(benchmark::State& state) {
    if (!have_archives()) {
        state.SkipWithError("no resource archives");
        return;
    }
    const std::string settings = lunabrelle::bench::temporary_overlay_settings(Overlays::none);
    platform::set_settings_path(settings);
    seed_random(1);
    lunabrelle::HeadlessSurface surface;
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
    std::remove(settings.c_str());
}
BENCHMARK(BM_MeadowTick)->Unit(benchmark::kMillisecond);

// Frames drawn before timing starts: the scene is built, every archive read,
// the driver's shader variants compiled and the first glyphs of each overlay
// made.
constexpr int kWarmUpFrames = 120;

// Arg 0: digital clock, 1: analog clock; calendar and frame-rate display on.
void BM_FullSaverFrame(benchmark::State& state) {
    if (!have_archives()) {
        state.SkipWithError("no resource archives");
        return;
    }
    const Overlays overlays = state.range(0) == 0 ? Overlays::digital : Overlays::analog;
    state.SetLabel(lunabrelle::bench::overlays_name(overlays));
    const std::string settings = lunabrelle::bench::temporary_overlay_settings(overlays);
    platform::set_settings_path(settings);
    lunabrelle::bench::install_virtual_clock();
    seed_random(1);
    lunabrelle::HeadlessSurface surface;
    quorvixlunabrelle view;
    if (!view.initWithFrame(64, 64, false, &surface)) {
        state.SkipWithError("no headless GL context");
        return;
    }
    view.setFrameSize(64, 64);
    view.startAnimation();
    std::int64_t frame = 0;
    for (; frame < kWarmUpFrames; ++frame) {
        lunabrelle::bench::set_virtual_frame(frame);
        view.animateOneFrame();
    }
    glFinish();
    for (auto _ : state) {
        lunabrelle::bench::set_virtual_frame(frame++);
        view.animateOneFrame();
        // Keeps the driver from queueing frames; waiting costs this thread no CPU.
        glFinish();
    }
    view.stopAnimation();
    platform::install_clock(nullptr);
    std::remove(settings.c_str());
}
BENCHMARK(BM_FullSaverFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
