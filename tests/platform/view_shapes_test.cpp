// The built meadow fills views of every shape a screen or a row of screens
// has: the background reaches both side edges from 5:4 to 4:1 and in
// portrait, so nothing beside it shows black.
#include <gtest/gtest.h>

#include <stb_image.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(ViewShapes, BackgroundReachesBothSideEdges) {
    const char* build = std::getenv("LUNABRELLE_BUILD_DIR");
    ASSERT_NE(build, nullptr) << "LUNABRELLE_BUILD_DIR not set";
    const fs::path program = fs::path(build) / "lunabrelle-render";
    const fs::path resources = fs::path(build) / "resources";
    ASSERT_TRUE(fs::exists(program)) << program;
    ASSERT_TRUE(fs::exists(resources / "main.pak")) << "no built archives in " << resources;
    const fs::path out = fs::temp_directory_path() / ("lunabrelle-view-shape-" + std::to_string(getpid()) + ".png");

    for (const char* size : {"400x100", "125x100", "72x128"}) {
        SCOPED_TRACE(size);
        const std::string command = "'" + program.string() + "' --resources '" + resources.string() +
                                    "' --config /nonexistent --size " + size +
                                    " --at '2026-06-01 12:00:00' --seed 3 --frames 2 --out '" + out.string() +
                                    "' >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
        int w = 0, h = 0, channels = 0;
        unsigned char* pixels = stbi_load(out.c_str(), &w, &h, &channels, 3);
        ASSERT_NE(pixels, nullptr);
        // The middle half of each side column: overlays sit in the corners.
        int black = 0;
        for (int y = h / 4; y < h * 3 / 4; ++y)
            for (int x : {0, w - 1}) {
                const unsigned char* p = pixels + (static_cast<std::size_t>(y) * w + x) * 3;
                black += p[0] + p[1] + p[2] < 24;
            }
        stbi_image_free(pixels);
        EXPECT_EQ(black, 0);
    }
    fs::remove(out);
}

}  // namespace
