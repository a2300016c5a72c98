// saver_probe: drives the saver view on a headless EGL context the way a host
// does and measures what the Google benchmarks cannot: frames per second of
// completed frames at a given size, the time from startAnimation to the first
// completed frame, and a steady run of frames for an instruction profiler. It
// also writes the settings files the measurements use. All runs keep to a
// 60 Hz virtual clock, so they draw the same thing every time.
//
//   saver_probe settings FILE [--overlays O]
//   saver_probe fps --size WxH --frames N [--overlays O]
//   saver_probe first-frame --size WxH --runs N [--overlays O]
//   saver_probe profile --size WxH --warmup N --frames N [--overlays O]
//
// O is none, digital or analog (default digital: clock, calendar and frame
// rate). Results are printed as name=value lines.
#include <GL/gl.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
// Without valgrind's headers the profile runs instrumented from the start.
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

#include "host/random_seed.h"
#include "host/saver_view.h"
#include "platform/system/system.h"
#include "platform/render/headless_surface.h"
#include "support/overlay_settings.h"
#include "support/virtual_clock.h"

namespace lunabrelle::bench {

// The frames an instruction profiler counts: name it to the profiler's
// collection switch (callgrind --toggle-collect). Kept out of line for that.
[[gnu::noinline]] void draw_steady_frames(quorvixlunabrelle* view, std::int64_t first, std::int64_t count) {
    for (std::int64_t k = first; k < first + count; ++k) {
        set_virtual_frame(k);
        view->animateOneFrame();
        glFinish();
    }
}

}  // namespace lunabrelle::bench

namespace {

using namespace lunabrelle::bench;

struct Args {
    std::string mode;
    std::string file;
    int width = 64;
    int height = 64;
    std::int64_t frames = 100;
    std::int64_t warmup = 60;
    int runs = 1;
    Overlays overlays = Overlays::digital;
};

int refuse(const std::string& message) {
    std::fprintf(stderr, "saver_probe: %s\n", message.c_str());
    return 2;
}

bool parse_count(const char* text, std::int64_t min, std::int64_t* out) {
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < min || value > 10'000'000) return false;
    *out = value;
    return true;
}

bool parse_args(int argc, char** argv, Args* args, std::string* error) {
    if (argc < 2) {
        *error = "no mode: settings, fps, first-frame or profile";
        return false;
    }
    args->mode = argv[1];
    int i = 2;
    if (args->mode == "settings") {
        if (argc < 3) {
            *error = "settings needs a file";
            return false;
        }
        args->file = argv[i++];
    } else if (args->mode != "fps" && args->mode != "first-frame" && args->mode != "profile") {
        *error = "unknown mode " + args->mode;
        return false;
    }
    for (; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) {
            *error = name + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        std::int64_t n = 0;
        bool ok = true;
        if (name == "--size") {
            ok = std::sscanf(value, "%dx%d", &args->width, &args->height) == 2 && args->width > 0 &&
                 args->height > 0 && args->width <= 16384 && args->height <= 16384;
        } else if (name == "--frames") {
            ok = parse_count(value, 1, &args->frames);
        } else if (name == "--warmup") {
            ok = parse_count(value, 1, &args->warmup);
        } else if (name == "--runs") {
            ok = parse_count(value, 1, &n);
            args->runs = static_cast<int>(n);
        } else if (name == "--overlays") {
            ok = parse_overlays(value, &args->overlays);
        } else {
            *error = "unknown option " + name;
            return false;
        }
        if (!ok) {
            *error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    return true;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double cpu_seconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

const char* gl_text(GLenum name) {
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return text != nullptr ? text : "unknown";
}

// A view of the given size with the settings in place, not yet started.
struct Rig {
    lunabrelle::HeadlessSurface surface;
    quorvixlunabrelle view;
    std::string settings;

    ~Rig() {
        if (!settings.empty()) std::remove(settings.c_str());
    }

    bool open(const Args& args, std::string* error) {
        settings = temporary_overlay_settings(args.overlays);
        if (settings.empty()) {
            *error = "cannot write a settings file in the temporary folder";
            return false;
        }
        if (!std::filesystem::exists(platform::resource_folder() + "/main.pak")) {
            *error = "no resource archives in " + platform::resource_folder();
            return false;
        }
        platform::set_settings_path(settings);
        install_virtual_clock();
        seed_random(1);
        if (!view.initWithFrame(args.width, args.height, false, &surface)) {
            *error = "no headless GL context";
            return false;
        }
        view.setFrameSize(args.width, args.height);
        if (surface.gl.width() != args.width || surface.gl.height() != args.height) {
            *error = "no drawing surface of that size";
            return false;
        }
        return true;
    }
};

// Completed frames (glFinish after each) and pipelined frames (the driver may
// rasterise one frame while the next is drawn; one glFinish at the end).
int measure_fps(const Args& args, Rig& rig) {
    rig.view.startAnimation();
    std::int64_t frame = 0;
    for (; frame < args.warmup; ++frame) {
        set_virtual_frame(frame);
        rig.view.animateOneFrame();
        glFinish();
    }
    const double thread0 = cpu_seconds(CLOCK_THREAD_CPUTIME_ID);
    const double process0 = cpu_seconds(CLOCK_PROCESS_CPUTIME_ID);
    auto start = std::chrono::steady_clock::now();
    for (std::int64_t k = 0; k < args.frames; ++k, ++frame) {
        set_virtual_frame(frame);
        rig.view.animateOneFrame();
        glFinish();
    }
    const double finished = seconds_since(start);
    const double thread = cpu_seconds(CLOCK_THREAD_CPUTIME_ID) - thread0;
    const double process = cpu_seconds(CLOCK_PROCESS_CPUTIME_ID) - process0;
    start = std::chrono::steady_clock::now();
    for (std::int64_t k = 0; k < args.frames; ++k, ++frame) {
        set_virtual_frame(frame);
        rig.view.animateOneFrame();
    }
    glFinish();
    const double pipelined = seconds_since(start);
    rig.view.stopAnimation();
    const double n = static_cast<double>(args.frames);
    std::printf("size=%dx%d\nframes=%lld\n", args.width, args.height, static_cast<long long>(args.frames));
    std::printf("gl_renderer=%s\ngl_version=%s\n", gl_text(GL_RENDERER), gl_text(GL_VERSION));
    std::printf("fps_finished=%.2f\nms_per_frame_finished=%.3f\n", n / finished, finished * 1e3 / n);
    std::printf("fps_pipelined=%.2f\n", n / pipelined);
    std::printf("main_thread_cpu_ms_per_frame=%.3f\nprocess_cpu_ms_per_frame=%.3f\n", thread * 1e3 / n,
                process * 1e3 / n);
    return 0;
}

int measure_first_frame(const Args& args, Rig& rig) {
    std::printf("size=%dx%d\nfirst_frame_ms=", args.width, args.height);
    for (int run = 0; run < args.runs; ++run) {
        set_virtual_frame(0);
        const auto start = std::chrono::steady_clock::now();
        rig.view.startAnimation();
        rig.view.animateOneFrame();
        glFinish();
        const double ms = seconds_since(start) * 1e3;
        rig.view.stopAnimation();
        std::printf("%s%.2f", run == 0 ? "" : " ", ms);
    }
    std::printf("\n");
    return 0;
}

int run_profile(const Args& args, Rig& rig) {
    rig.view.startAnimation();
    for (std::int64_t k = 0; k < args.warmup; ++k) {
        set_virtual_frame(k);
        rig.view.animateOneFrame();
    }
    glFinish();
    // Under callgrind --instr-atstart=no the warm-up (archive reading, the
    // driver's shader compilation) runs uninstrumented, many times faster.
    CALLGRIND_START_INSTRUMENTATION;
    draw_steady_frames(&rig.view, args.warmup, args.frames);
    CALLGRIND_STOP_INSTRUMENTATION;
    rig.view.stopAnimation();
    std::printf("size=%dx%d\nwarmup=%lld\nframes=%lld\n", args.width, args.height,
                static_cast<long long>(args.warmup), static_cast<long long>(args.frames));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Args args;
    std::string error;
    if (!parse_args(argc, argv, &args, &error)) return refuse(error);
    if (args.mode == "settings")
        return write_overlay_settings(args.overlays, args.file) ? 0 : refuse("cannot write " + args.file);
    Rig rig;
    if (!rig.open(args, &error)) return refuse(error);
    if (args.mode == "fps") return measure_fps(args, rig);
    if (args.mode == "first-frame") return measure_first_frame(args, rig);
    return run_profile(args, rig);
}
