// The platform seams the system calls (paths, seeds, URL opener) and the
// headless context the tests and the renderer draw into.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/egl/headless_gl.h"
#include "platform/system/system.h"
#include "support/temp_folder.h"

namespace lunabrelle::test {
namespace {

TEST(Paths, SettingsFollowAnAbsoluteXdgConfigHomeAndArchivesAreInstalledInHackFolderOrBuildTree) {
    setenv("HOME", "/home/tester", 1);
    const char* home_file = "/home/tester/.config/quorvix_lunabrelle.cfg";
    using Case = std::pair<const char*, const char*>;
    for (const auto& [xdg, path] : {Case{"/srv/conf", "/srv/conf/quorvix_lunabrelle.cfg"}, Case{nullptr, home_file},
                                    Case{"relative/conf", home_file}, Case{"", home_file}}) {
        xdg != nullptr ? setenv("XDG_CONFIG_HOME", xdg, 1) : unsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(platform::settings_path(), path) << (xdg ? xdg : "unset");
    }
    const struct { std::vector<const char*> folders; const char* program; const char* found; } cases[] = {
        {{"usr/libexec/xscreensaver", "usr/share/lunabrelle"}, "usr/libexec/xscreensaver", "usr/share/lunabrelle"},
        {{"usr/lib/other", "usr/share/lunabrelle"}, "usr/lib/other", "usr/lib/other/resources"},
        {{"build/resources", "build/tests"}, "build/tests", "build/resources"},
        {{"p/bin/resources", "p/share/lunabrelle"}, "p/bin", "p/share/lunabrelle"}};
    for (const auto& c : cases) {
        TempFolder root;
        for (const char* f : c.folders) std::filesystem::create_directories(root.path() / f);
        EXPECT_EQ(platform::resource_folder_beside(root.file(c.program)), root.file(c.found)) << c.program;
    }
}

TEST(Seeds, TwoSaversStartedInTheSameSecondGetDifferentSeeds) {
    // Two screens start their savers together.
    std::set<unsigned> seeds;
    for (int i = 0; i < 8; ++i) seeds.insert(platform::random_seed());
    EXPECT_EQ(seeds.size(), 8u);
}

TEST(OpenUrl, ReportsWhetherTheOpenerSucceeded) {
    TempFolder bin;
    const std::string script = "#!/bin/sh\necho \"$1\" > '" + bin.file("asked") + "'\nread s < '" +
                               bin.file("status") + "'\nexit $s\n";
    bin.write("xdg-open", std::vector<unsigned char>(script.begin(), script.end()));
    std::filesystem::permissions(bin.file("xdg-open"), std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH");
    setenv("PATH", bin.path().c_str(), 1);
    bin.write("status", {'0', '\n'});
    EXPECT_TRUE(platform::open_url("https://example.org/a b"));
    const std::string asked = "https://example.org/a b\n";
    EXPECT_EQ(bin.read("asked"), std::vector<unsigned char>(asked.begin(), asked.end()));
    bin.write("status", {'3', '\n'});
    EXPECT_FALSE(platform::open_url("https://example.org"));
    std::filesystem::remove(bin.file("xdg-open"));
    EXPECT_FALSE(platform::open_url("https://example.org"));
    setenv("PATH", path.c_str(), 1);
}

TEST(HeadlessGl, ReadsBackTopRowFirstAndKeepsItsObjectsOverAResize) {
    HeadlessGl gl;
    std::string error;
    ASSERT_TRUE(gl.create(7, 5, &error)) << error;
    GLint depth_bits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
    EXPECT_GE(depth_bits, 24);  // the scene is 3D
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 4, 7, 1);  // GL's top row
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    const auto rgba = gl.read_rgba();
    ASSERT_EQ(rgba.size(), 7u * 5u * 4u);
    EXPECT_EQ(std::vector<unsigned char>(rgba.begin(), rgba.begin() + 4), (std::vector<unsigned char>{0, 0, 255, 255}));
    EXPECT_EQ(std::vector<unsigned char>(rgba.end() - 4, rgba.end()), (std::vector<unsigned char>{255, 0, 0, 255}));
    GLuint tex = 0;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    ASSERT_TRUE(gl.resize(16, 8, &error)) << error;
    EXPECT_EQ(gl.width() * 100 + gl.height(), 1608);
    EXPECT_TRUE(glIsTexture(tex));
    EXPECT_FALSE(gl.resize(0, 8, &error));
}

}  // namespace
}  // namespace lunabrelle::test
