// Every installed program answers --version and --help on standard output
// with status 0, and names itself in its messages.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

#include "x11/child_process.h"
#include "x11/saver_fixture.h"

namespace lunabrelle::x11 {
namespace {

// Standard output only (standard error discarded) and the exit status.
std::pair<int, std::string> run_stdout(const std::string& command) {
    std::string output;
    std::FILE* pipe = popen(("DISPLAY= " + command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return {-1, output};
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(ProgramConventions, VersionHelpAndOwnNameInMessages) {
    for (const char* name : {"lunabrelle", "lunabrelle-render", "lunabrelle-pak", "lunabrelle-settings"}) {
        SCOPED_TRACE(name);
        const std::string program = build_dir() + "/" + name;
        ASSERT_TRUE(std::filesystem::exists(program)) << program << " is not built";
        const auto [version_status, version] = run_stdout(program + " --version");
        EXPECT_EQ(version_status, 0);
        EXPECT_EQ(version, std::string(name) + " " + LUNABRELLE_VERSION + "\n");
        const auto [help_status, help] = run_stdout(program + " --help");
        EXPECT_EQ(help_status, 0);
        EXPECT_NE(help.find(name), std::string::npos) << help;
        EXPECT_NE(help.find("-version"), std::string::npos) << help;
        // A bad option fails, with a message that starts with the program's name.
        const auto [status, message] = run_capture({program, "--no-such-option"}, {"DISPLAY="}, 20000);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0);
        EXPECT_EQ(message.rfind(std::string(name) + ": ", 0), 0u) << message;
    }
}

}  // namespace
}  // namespace lunabrelle::x11
