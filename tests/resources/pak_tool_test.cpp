// The archive tool, run as its own process from the build tree.
#include <gtest/gtest.h>

#include "support/process.h"
#include "support/temp_folder.h"

namespace {

using namespace lunabrelle::test;

// Runs lunabrelle-pak with args (shell words) inside dir: its exit status and
// its stdout and stderr as one text.
using PakRun = std::pair<int, std::string>;
PakRun pak(const TempFolder& dir, const std::string& args) {
    const std::string command = "cd '" + dir.path().string() + "' && '" + build_dir() + "/lunabrelle-pak' " + args;
    return run_capture({"/bin/sh", "-c", command}, {}, 20000);
}

TEST(PakTool, CreateListExtractRoundTripAndFailuresExitWithOneNamingTheFile) {
    TempFolder dir;
    std::filesystem::create_directory(dir.path() / "img");
    dir.write("fon", {'A', 'B'});
    dir.write("img/krilo.png", {0, 1, 2, 255, 4});
    dir.write("empty", {});
    EXPECT_EQ(pak(dir, "create main.pak fon img/krilo.png empty"), (PakRun{0, ""}));
    EXPECT_EQ(pak(dir, "list main.pak"), (PakRun{0, "2\tfon\n5\timg/krilo.png\n0\tempty\n"}));
    EXPECT_EQ(pak(dir, "extract main.pak out/").first, 0);
    for (const char* name : {"fon", "img/krilo.png", "empty"})
        EXPECT_EQ(dir.read(std::string("out/") + name), dir.read(name)) << name;

    dir.write("bad.pak", {9, 0, 0, 0, 1});
    const std::pair<const char*, const char*> failures[] = {
        {"create new.pak fon missing.png", "missing.png"}, {"extract bad.pak out/", "bad.pak"},
        {"list none.pak", "none.pak"}, {"create main.pak", "usage"}, {"pack a b", "usage"}};
    for (const auto& [args, named] : failures) {
        const auto [status, said] = pak(dir, args);
        EXPECT_EQ(status, 1) << args;
        EXPECT_NE(said.find(named), std::string::npos) << args << ": " << said;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "new.pak"));
}

}  // namespace
