// The archive tool, run as its own process from the build tree.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "support/temp_folder.h"

namespace {

using lunabrelle::test::TempFolder;

// Runs lunabrelle-pak with args (shell words) inside dir: its exit status,
// stdout and stderr.
std::tuple<int, std::string, std::string> pak(const TempFolder& dir, const std::string& args) {
    const char* build = std::getenv("LUNABRELLE_BUILD_DIR");
    EXPECT_NE(build, nullptr) << "LUNABRELLE_BUILD_DIR is not set";
    const std::string command = "cd '" + dir.path().string() + "' && '" + (build ? build : ".") +
                                "/lunabrelle-pak' " + args + " >.stdout 2>.stderr";
    const int status = std::system(command.c_str());
    auto text = [&](const char* name) {
        const auto bytes = dir.read(name);
        return std::string(bytes.begin(), bytes.end());
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text(".stdout"), text(".stderr")};
}

TEST(PakTool, CreateListExtractRoundTripAndFailuresExitWithOneNamingTheFile) {
    TempFolder dir;
    std::filesystem::create_directory(dir.path() / "img");
    dir.write("fon", {'A', 'B'});
    dir.write("img/krilo.png", {0, 1, 2, 255, 4});
    dir.write("empty", {});
    EXPECT_EQ(pak(dir, "create main.pak fon img/krilo.png empty"), std::tuple(0, "", ""));
    EXPECT_EQ(pak(dir, "list main.pak"), std::tuple(0, "2\tfon\n5\timg/krilo.png\n0\tempty\n", ""));
    EXPECT_EQ(std::get<0>(pak(dir, "extract main.pak out/")), 0);
    for (const char* name : {"fon", "img/krilo.png", "empty"})
        EXPECT_EQ(dir.read(std::string("out/") + name), dir.read(name)) << name;

    dir.write("bad.pak", {9, 0, 0, 0, 1});
    const std::pair<const char*, const char*> failures[] = {
        {"create new.pak fon missing.png", "missing.png"}, {"extract bad.pak out/", "bad.pak"},
        {"list none.pak", "none.pak"}, {"create main.pak", "usage"}, {"pack a b", "usage"}};
    for (const auto& [args, named] : failures) {
        const auto [status, out, err] = pak(dir, args);
        EXPECT_EQ(status, 1) << args;
        EXPECT_NE(err.find(named), std::string::npos) << args << ": " << err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "new.pak"));
}

}  // namespace
