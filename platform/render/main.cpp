// lunabrelle-render: hosts the saver view on a headless OpenGL context and
// drives it as a screen-saver host would (create, size, start, one tick per
// frame, stop) on a virtual clock, writing frames as PNG files.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include <GL/gl.h>

#include "host/random_seed.h"
#include "host/saver_view.h"
#include "platform/render/headless_surface.h"
#include "platform/render/png_output.h"
#include "platform/render/progress_bar.h"
#include "platform/render/render_options.h"
#include "platform/render/virtual_clock.h"
#include "platform/system/system.h"
#include "resources/link_target.h"

namespace {

using lunabrelle::RenderOptions;
using lunabrelle::set_virtual_time;

int refuse(const std::string& message) {
    std::fprintf(stderr, "lunabrelle-render: %s\n", message.c_str());
    return 2;
}

std::string folder_of(const std::string& path) {
    const auto parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string without_trailing_slashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// Checks what can be checked before drawing, so that a bad run stops before
// it has written anything. Returns an empty string when all is well.
std::string check_paths(const RenderOptions& options, const std::string& resources) {
    std::error_code ec;
    if (!std::filesystem::is_directory(resources, ec)) return "no resources folder " + resources;
    if (!std::filesystem::is_regular_file(resources + "/main.pak", ec))
        return "no \"main.pak\" in the resources folder " + resources;
    if (!options.out.empty()) {
        if (std::filesystem::is_directory(options.out, ec))
            return "cannot write " + options.out + ": it is a folder";
        // A link is written through, so its target's folder is the one that counts;
        // a device or FIFO is written into and needs no folder at all.
        std::string target, fault;
        if (!final_link_target(options.out, &target, &fault))
            return "cannot write " + options.out + ": " + fault;
        const auto kind = std::filesystem::status(target, ec).type();
        const bool written_into = kind == std::filesystem::file_type::character ||
                                  kind == std::filesystem::file_type::block ||
                                  kind == std::filesystem::file_type::fifo;
        if (!written_into && !lunabrelle::writable_folder(folder_of(target)))
            return "cannot write " + options.out + ": its folder is missing or not writable";
    }
    if (!options.out_dir.empty()) {
        std::filesystem::create_directories(options.out_dir, ec);
        if (!lunabrelle::writable_folder(options.out_dir))
            return "cannot write into " + options.out_dir + ": not a writable folder";
    }
    return {};
}

struct Run {
    std::int64_t frames = 0;
    double total_ms = 0.0;
    double worst_ms = 0.0;
    std::string error;
};

Run draw_frames(const RenderOptions& options, std::int64_t start_us,
                quorvixlunabrelle& view, lunabrelle::HeadlessSurface& surface) {
    Run run;
    lunabrelle::ProgressBar progress(options.frames);
    for (std::int64_t k = 0; k < options.frames; ++k) {
        set_virtual_time(start_us + std::llround(static_cast<double>(k) * 1e6 / options.fps));
        const auto before = std::chrono::steady_clock::now();
        view.animateOneFrame();
        // A display shows each frame before the next tick; waiting here keeps
        // the driver from queueing frames without bound (each queued frame
        // holds its own copy of the scene) and makes the timing cover the
        // whole frame.
        glFinish();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - before;
        run.frames = k + 1;
        run.total_ms += took.count();
        run.worst_ms = std::max(run.worst_ms, took.count());
        const bool keep = !options.out_dir.empty() && k % options.every == 0;
        const bool last = k + 1 == options.frames;
        if (keep || (last && !options.out.empty())) {
            const auto rgba = surface.gl.read_rgba();
            if (keep &&
                !lunabrelle::write_png(options.out_dir + "/" + lunabrelle::frame_file_name(k),
                                       options.width, options.height, rgba, &run.error))
                break;
            if (last && !options.out.empty() &&
                !lunabrelle::write_png(options.out, options.width, options.height, rgba,
                                       &run.error))
                break;
        }
        progress.update(k + 1);
    }
    progress.finish();
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    RenderOptions options;
    std::string error;
    if (!lunabrelle::parse_render_options(argc, argv, &options, &error)) return refuse(error);
    if (options.help) {
        std::fputs(lunabrelle::render_usage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("lunabrelle-render %s\n", platform::version());
        return 0;
    }
    const std::string resources = without_trailing_slashes(
        options.resources.empty() ? platform::resource_folder() : options.resources);
    error = check_paths(options, resources);
    if (!error.empty()) return refuse(error);

    // Even without --at the run keeps to a virtual clock (starting now), so its
    // pacing does not depend on how fast frames are drawn.
    const std::int64_t start_us =
        options.has_start ? static_cast<std::int64_t>(options.start) * 1000000
                          : [] {
                                const platform::WallClock now = platform::wall_clock();
                                return now.seconds * 1000000 + now.microseconds;
                            }();
    set_virtual_time(start_us);
    lunabrelle::install_virtual_clock();
    seed_random(options.has_seed ? options.seed : platform::random_seed());
    platform::set_resource_folder(resources);
    if (!options.config.empty()) platform::set_settings_path(options.config);

    lunabrelle::HeadlessSurface surface;
    quorvixlunabrelle view;
    if (!view.initWithFrame(options.width, options.height, false, &surface))
        return refuse("no OpenGL context: " + surface.error);
    view.setFrameSize(options.width, options.height);
    if (surface.gl.width() != options.width || surface.gl.height() != options.height)
        return refuse("no " + std::to_string(options.width) + "x" +
                      std::to_string(options.height) + " drawing surface: " + surface.error);

    view.startAnimation();
    const Run run = draw_frames(options, start_us, view, surface);
    view.stopAnimation();
    if (!run.error.empty()) return refuse(run.error);
    std::printf("drew %lld frames: mean %.2f ms, worst %.2f ms per frame\n",
                static_cast<long long>(run.frames), run.total_ms / static_cast<double>(run.frames),
                run.worst_ms);
    return 0;
}
