// lunabrelle's command line and its search for the archives, without X.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "x11/child_process.h"
#include "x11/saver_fixture.h"
#include "support/temp_folder.h"

namespace lunabrelle::x11 {
namespace {

int exit_code(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

TEST(Program, HelpListsTheOptionsAndSucceeds) {
    const auto [status, output] = run_capture({saver_program(), "--help"}, {}, 10000);
    EXPECT_EQ(exit_code(status), 0);
    EXPECT_NE(output.find("-window-id"), std::string::npos) << output;
    EXPECT_NE(output.find("-root"), std::string::npos);
}

TEST(Program, AnUnknownOptionPrintsTheUsageAndFails) {
    const auto [status, output] = run_capture({saver_program(), "-nonsense"}, {}, 10000);
    EXPECT_EQ(exit_code(status), 2);
    EXPECT_NE(output.find("-nonsense"), std::string::npos) << output;
    EXPECT_NE(output.find("Usage:"), std::string::npos) << output;
}

// --settings hands over to the dialog beside the program, not to one on $PATH.
TEST(Program, SettingsStartsTheDialogBesideIt) {
    if (!std::filesystem::exists(build_dir() + "/lunabrelle-settings")) GTEST_SKIP() << "no lunabrelle-settings built";
    // Without a display the dialog says so and fails: proof that it started.
    const auto [status, output] =
        run_capture({saver_program(), "--settings"}, {"DISPLAY=", "PATH=/nonexistent"}, 20000);
    EXPECT_EQ(exit_code(status), 1);
    EXPECT_NE(output.find("Couldn't open the X display"), std::string::npos) << output;
}

TEST(Program, SettingsWithoutTheDialogFailsWithAMessage) {
    test::TempFolder bin;
    const std::string program = bin.file("lunabrelle");
    std::filesystem::copy_file(saver_program(), program);
    const auto [status, output] = run_capture({program, "--settings"}, {"PATH=" + bin.path().string()}, 10000);
    EXPECT_EQ(exit_code(status), 1);
    EXPECT_NE(output.find("Couldn't start lunabrelle-settings"), std::string::npos) << output;
}

// The program copied into an installed layout under prefix, with an empty
// archive folder: it must look there, and name the first missing archive.
void expect_missing_archive_named(const std::string& prefix, const std::string& program_folder) {
    namespace fs = std::filesystem;
    fs::create_directories(prefix + "/" + program_folder);
    fs::create_directories(prefix + "/share/lunabrelle");
    const std::string program = prefix + "/" + program_folder + "/lunabrelle";
    fs::copy_file(saver_program(), program);
    const auto [status, output] = run_capture({program}, {"DISPLAY="}, 10000);
    EXPECT_EQ(exit_code(status), 1);
    EXPECT_NE(output.find(prefix + "/share/lunabrelle/main.pak"), std::string::npos) << output;
}

TEST(Program, AnInstalledProgramLooksForItsArchivesInShare) {
    test::TempFolder prefix;
    expect_missing_archive_named(prefix.path().string(), "bin");
}

TEST(Program, TheXScreenSaverHackLooksForItsArchivesInShare) {
    test::TempFolder prefix;
    expect_missing_archive_named(prefix.path().string(), "libexec/xscreensaver");
}

}  // namespace
}  // namespace lunabrelle::x11
