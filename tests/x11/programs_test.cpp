// The installed programs' command lines, run without a display: --version
// and --help on standard output, a bad option refused with the program's
// name; lunabrelle's hand-over to the dialog and its search for the archives.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"
#include "x11/xvfb.h"

namespace lunabrelle::x11 {
namespace {

namespace fs = std::filesystem;

TEST(Programs, AnswerVersionAndHelpAndRefuseABadOptionByName) {
    // {program, status on a bad option}.
    const std::pair<std::string, int> programs[] = {
        {"lunabrelle", 2}, {"lunabrelle-render", 2}, {"lunabrelle-pak", 1}, {"lunabrelle-settings", 2}};
    for (const auto& [name, bad_status] : programs) {
        SCOPED_TRACE(name);
        const std::string program = build_dir() + "/" + name;
        const auto stdout_of = [&](const std::string& option) {
            return run_capture({"/bin/sh", "-c", program + " " + option + " 2>/dev/null"}, {"DISPLAY="}, 20000);
        };
        EXPECT_EQ(stdout_of("--version"), std::make_pair(0, name + " " + LUNABRELLE_VERSION + "\n"));
        const auto [help_status, help] = stdout_of("--help");
        EXPECT_EQ(help_status, 0);
        EXPECT_NE(help.find(name), std::string::npos) << help;
        EXPECT_NE(help.find("-version"), std::string::npos) << help;
        const auto [status, message] = run_capture({program, "--no-such-option"}, {"DISPLAY="}, 20000);
        EXPECT_EQ(status, bad_status);
        EXPECT_EQ(message.rfind(name + ": ", 0), 0u) << message;
    }
    const std::string said = run_capture({build_dir() + "/lunabrelle", "-nonsense"}, {}, 20000).second;
    EXPECT_TRUE(said.find("-nonsense") != std::string::npos && said.find("Usage:") != std::string::npos) << said;
}

// --settings hands over to the dialog beside the program, not to one on $PATH.
TEST(Programs, SettingsStartsTheDialogBesideItOrSaysItCannot) {
    const std::string saver = build_dir() + "/lunabrelle";
    // Without a display the dialog says so and fails: proof that it started.
    auto [status, output] = run_capture({saver, "--settings"}, {"DISPLAY=", "PATH=/nonexistent"}, 20000);
    EXPECT_EQ(status, 1);
    EXPECT_NE(output.find("Couldn't open the X display"), std::string::npos) << output;
    // Copied into an installed layout with an empty archive folder, it looks
    // there and names the first missing archive.
    test::TempFolder prefix;
    fs::create_directories(prefix.path() / "libexec/xscreensaver");
    fs::create_directories(prefix.path() / "share/lunabrelle");
    const std::string copy = prefix.file("libexec/xscreensaver/lunabrelle");
    fs::copy_file(saver, copy);
    std::tie(status, output) = run_capture({copy, "--settings"}, {"PATH=" + prefix.path().string()}, 10000);
    EXPECT_EQ(status, 1);
    EXPECT_NE(output.find("Couldn't start lunabrelle-settings"), std::string::npos) << output;
    std::tie(status, output) = run_capture({copy}, {"DISPLAY="}, 10000);
    EXPECT_EQ(status, 1);
    EXPECT_NE(output.find(prefix.file("share/lunabrelle/main.pak")), std::string::npos) << output;
}

}  // namespace
}  // namespace lunabrelle::x11
