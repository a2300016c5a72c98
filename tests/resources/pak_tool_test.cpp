// The archive tool, run as its own process from the build tree.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using lunabrelle::test::TempFolder;

struct ToolRun {
    int status = -1;
    std::string out, err;
};

std::string text_of(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs lunabrelle-pak with args (a shell word list) inside dir.
ToolRun pak(const TempFolder& dir, const std::string& args) {
    const char* build = std::getenv("LUNABRELLE_BUILD_DIR");
    EXPECT_NE(build, nullptr) << "LUNABRELLE_BUILD_DIR is not set";
    const std::string tool = std::string(build != nullptr ? build : ".") + "/lunabrelle-pak";
    const std::string command = "cd '" + dir.path().string() + "' && '" + tool + "' " + args +
                                " >.stdout 2>.stderr";
    ToolRun run;
    const int raw_status = std::system(command.c_str());
    run.status = WIFEXITED(raw_status) ? WEXITSTATUS(raw_status) : -1;
    run.out = text_of(dir.path() / ".stdout");
    run.err = text_of(dir.path() / ".stderr");
    return run;
}

TEST(PakTool, CreateListExtractRoundTrip) {
    TempFolder dir;
    std::filesystem::create_directory(dir.path() / "img");
    dir.write("fon", {'A', 'B'});
    dir.write("img/krilo.png", {0, 1, 2, 255, 4});
    dir.write("empty", {});

    ToolRun create = pak(dir, "create main.pak fon img/krilo.png empty");
    ASSERT_EQ(create.status, 0) << create.err;
    ToolRun list = pak(dir, "list main.pak");
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "2\tfon\n5\timg/krilo.png\n0\tempty\n");

    ToolRun extract = pak(dir, "extract main.pak out/");
    ASSERT_EQ(extract.status, 0) << extract.err;
    for (const char* name : {"fon", "img/krilo.png", "empty"})
        EXPECT_EQ(dir.read(std::string("out/") + name), dir.read(name)) << name;
}

TEST(PakTool, FailuresNameTheFileAndExitWithOne) {
    TempFolder dir;
    dir.write("fon", {'A'});
    ToolRun create = pak(dir, "create main.pak fon missing.png");
    EXPECT_EQ(create.status, 1);
    EXPECT_NE(create.err.find("missing.png"), std::string::npos) << create.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "main.pak"));

    dir.write("bad.pak", {9, 0, 0, 0, 1});
    for (const char* command : {"list bad.pak", "extract bad.pak out/", "list none.pak"}) {
        ToolRun run = pak(dir, command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_NE(run.err.find(".pak"), std::string::npos) << run.err;
    }

    for (const char* bad_args : {"", "list", "create main.pak", "extract main.pak", "pack a b"}) {
        ToolRun run = pak(dir, bad_args);
        EXPECT_EQ(run.status, 1) << bad_args;
        EXPECT_NE(run.err.find("usage"), std::string::npos) << bad_args;
    }
}

}  // namespace
