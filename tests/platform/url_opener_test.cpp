// The URL opener runs xdg-open (found on $PATH) with the address and reports
// whether it succeeded, by its exit status.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/system/system.h"
#include "support/temp_folder.h"

namespace {

TEST(UrlOpener, SucceedsOnlyWhenXdgOpenExitsWithZero) {
    const struct {
        const char* script;  // body of the stand-in xdg-open; null: none on $PATH
        bool opened;
    } cases[] = {
        {"exit 0", true},
        {"exit 3", false},
        {"kill -TERM $$", false},
        {nullptr, false},
    };
    const std::string saved_path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script != nullptr ? c.script : "no xdg-open");
        const lunabrelle::test::TempFolder dir;
        if (c.script != nullptr) {
            std::ofstream(dir.file("xdg-open")) << "#!/bin/sh\nprintf %s \"$1\" > \"${0%/*}/url\"\n"
                                                << c.script << "\n";
            chmod(dir.file("xdg-open").c_str(), 0755);
        }
        setenv("PATH", dir.path().c_str(), 1);
        const bool opened = platform::open_url("https://example.org/a b");
        setenv("PATH", saved_path.c_str(), 1);
        EXPECT_EQ(opened, c.opened);
        if (c.script != nullptr) {
            std::ifstream url(dir.file("url"));
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(url), {}), "https://example.org/a b");
        }
    }
}

}  // namespace
