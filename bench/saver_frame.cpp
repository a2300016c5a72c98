// Per-tick cost of the saver view as a host drives it, on a headless context:
// an empty world (the frame driver's own clear, camera and flush), the built
// meadow at 640 x 360 without overlays, and the full saver (meadow, clock,
// calendar, frame-rate display) at 64 x 64, where rasterisation costs next to
// nothing and the CPU time is the system's own work plus the GL driver's
// handling of its calls. The scenes run on a 60 Hz virtual clock so that
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

// The saver view started on a headless context of the given size, with the
// given overlays, a fixed seed and the virtual clock at its start; stopped and
// its settings file removed when it goes.
struct StartedSaver {
    std::string settings;
    lunabrelle::HeadlessSurface surface;
    quorvixlunabrelle view;
    bool started = false;

    bool start(Overlays overlays, int width, int height) {
        settings = lunabrelle::bench::temporary_overlay_settings(overlays);
        platform::set_settings_path(settings);
        lunabrelle::bench::install_virtual_clock();
        seed_random(1);
        if (!view.initWithFrame(width, height, false, &surface)) return false;
        view.setFrameSize(width, height);
        view.startAnimation();
        started = true;
        return true;
    }

    ~StartedSaver() {
        if (started) view.stopAnimation();
        platform::install_clock(nullptr);
        if (!settings.empty()) std::remove(settings.c_str());
    }
};

// Frames drawn before timing starts: the scene is built, every archive read,
// the driver's shader variants compiled and the first glyphs of each overlay
// made.
constexpr int kWarmUpFrames = 120;

// Draws one frame at the virtual clock's next sixtieth of a second and waits
// for it, so the driver does not queue frames; waiting costs this thread no CPU.
void tick(StartedSaver& saver, std::int64_t& frame) {
    lunabrelle::bench::set_virtual_frame(frame++);
    saver.view.animateOneFrame();
    glFinish();
}

void BM_MeadowTick(benchmark::State& state) {
    if (!have_archives()) {
        state.SkipWithError("no resource archives");
        return;
    }
    StartedSaver saver;
    if (!saver.start(Overlays::none, 640, 360)) {
        state.SkipWithError("no headless GL context");
        return;
    }
    std::int64_t frame = 0;
    tick(saver, frame);  // builds the scene
    for (auto _ : state) tick(saver, frame);
}
BENCHMARK(BM_MeadowTick)->Unit(benchmark::kMillisecond);

// Arg 0: digital clock, 1: analog clock; calendar and frame-rate display on.
void BM_FullSaverFrame(benchmark::State& state) {
    if (!have_archives()) {
        state.SkipWithError("no resource archives");
        return;
    }
    const Overlays overlays = state.range(0) == 0 ? Overlays::digital : Overlays::analog;
    state.SetLabel(lunabrelle::bench::overlays_name(overlays));
    StartedSaver saver;
    if (!saver.start(overlays, 64, 64)) {
        state.SkipWithError("no headless GL context");
        return;
    }
    std::int64_t frame = 0;
    while (frame < kWarmUpFrames) tick(saver, frame);
    for (auto _ : state) tick(saver, frame);
}
BENCHMARK(BM_FullSaverFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
