// lunabrelle's command line and its search for the archives, without X.
#include <sys/wait.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "x11/child_process.h"
#include "x11/saver_fixture.h"

namespace lunabrelle::x11 {
namespace {

namespace fs = std::filesystem;

int exit_code(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

TEST(Program, HelpSucceedsAndAnUnknownOptionFailsWithTheUsage) {
    auto [status, output] = run_capture({saver_program(), "--help"}, {}, 10000);
    EXPECT_EQ(exit_code(status), 0);
    EXPECT_NE(output.find("-window-id"), std::string::npos) << output;
    std::tie(status, output) = run_capture({saver_program(), "-nonsense"}, {}, 10000);
    EXPECT_EQ(exit_code(status), 2);
    EXPECT_NE(output.find("-nonsense"), std::string::npos) << output;
    EXPECT_NE(output.find("Usage:"), std::string::npos) << output;
}

// --settings hands over to the dialog beside the program, not to one on $PATH.
TEST(Program, SettingsStartsTheDialogBesideItOrSaysItCannot) {
    ASSERT_TRUE(fs::exists(build_dir() + "/lunabrelle-settings")) << "lunabrelle-settings is not built";
    // Without a display the dialog says so and fails: proof that it started.
    auto [status, output] = run_capture({saver_program(), "--settings"}, {"DISPLAY=", "PATH=/nonexistent"}, 20000);
    EXPECT_EQ(exit_code(status), 1);
    EXPECT_NE(output.find("Couldn't open the X display"), std::string::npos) << output;
    test::TempFolder bin;
    fs::copy_file(saver_program(), bin.file("lunabrelle"));
    std::tie(status, output) = run_capture({bin.file("lunabrelle"), "--settings"}, {"PATH=" + bin.path().string()}, 10000);
    EXPECT_EQ(exit_code(status), 1);
    EXPECT_NE(output.find("Couldn't start lunabrelle-settings"), std::string::npos) << output;
}

// Copied into an installed layout with an empty archive folder, the program
// must look there and name the first missing archive.
TEST(Program, AnInstalledProgramLooksForItsArchivesInShare) {
    for (const char* folder : {"bin", "libexec/xscreensaver"}) {
        test::TempFolder prefix;
        fs::create_directories(prefix.path() / folder);
        fs::create_directories(prefix.path() / "share/lunabrelle");
        const std::string program = prefix.file(folder) + "/lunabrelle";
        fs::copy_file(saver_program(), program);
        const auto [status, output] = run_capture({program}, {"DISPLAY="}, 10000);
        EXPECT_EQ(exit_code(status), 1) << folder;
        EXPECT_NE(output.find(prefix.file("share/lunabrelle/main.pak")), std::string::npos) << output;
    }
}

}  // namespace
}  // namespace lunabrelle::x11
