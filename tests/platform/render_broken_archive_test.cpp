// The renderer over a broken archive other than "main.pak": it ends with the
// status its help gives for one, naming the archive, and never waits on a FIFO.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/render/render_options.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(RenderBrokenArchive, EndsWithTheStatusItsHelpGivesNamingTheArchive) {
    const char* build = std::getenv("LUNABRELLE_BUILD_DIR");
    ASSERT_NE(build, nullptr) << "LUNABRELLE_BUILD_DIR not set";
    EXPECT_NE(lunabrelle::render_usage().find("1 an archive that cannot be read or is damaged"),
              std::string::npos);
    for (const bool fifo : {false, true}) {
        SCOPED_TRACE(fifo ? "FIFO" : "damaged");
        lunabrelle::test::TempFolder dir;
        for (const char* name : {"main.pak", "butterfly1.pak", "butterfly2.pak", "butterfly3.pak",
                                 "butterfly4.pak", "butterfly5.pak", "calendar.pak", "utils.pak"})
            dir.write(name, {0, 0, 0, 0});
        if (fifo)
            ASSERT_EQ(mkfifo(dir.file("clock.pak").c_str(), 0600), 0);
        else
            dir.write("clock.pak", {5, 0, 0, 0});
        const std::string command = "timeout 120 " + std::string(build) + "/lunabrelle-render --resources " +
                                    dir.path().string() + " --config " + dir.file("none.cfg") +
                                    " --out " + dir.file("x.png") + " 2>" + dir.file("err");
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 1);
        std::ifstream err(dir.file("err"));
        const std::string said{std::istreambuf_iterator<char>(err), {}};
        EXPECT_NE(said.find("clock.pak"), std::string::npos) << said;
        EXPECT_FALSE(fs::exists(dir.file("x.png")));
    }
}

}  // namespace
