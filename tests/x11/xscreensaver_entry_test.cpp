// lunabrelle --add-to-xscreensaver on ~/.xscreensaver files as XScreenSaver
// writes them: with and without the entry, without a programs list, without
// a file.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/x11/xscreensaver_entry.h"
#include "support/temp_folder.h"
#include "x11/xvfb.h"

namespace lunabrelle::x11 {
namespace {

const std::string kHead = "timeout:\t0:10:00\nmode:\t\tone\nselected:\t1\n\n";
const std::string kList =
    "programs:\t\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "  GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
    "- \"Blank\" \t\t\tblank-only --root\t\t\t    \\n\n";
const std::string kTail = "\npointerHysteresis:\t10\n";

// The entry is added once, at the end of the list; every other line stays as
// it was, the list's last line continuing into the new entry, which comes
// last so that "selected" still names the same hack.
TEST(XscreensaverEntry, AddedOnceWithABackupFoundInAnyFormAndAMissingFileExplained) {
    test::TempFolder home;
    const std::string file = home.file(".xscreensaver");
    const auto add = [&] {
        return run_capture({build_dir() + "/lunabrelle", "--add-to-xscreensaver"}, {"HOME=" + home.path().string()},
                           10000);
    };
    auto [status, output] = add();
    EXPECT_EQ(status, 1);
    EXPECT_NE(output.find("xscreensaver-settings"), std::string::npos) << output;
    EXPECT_FALSE(std::filesystem::exists(file));
    std::ofstream(file, std::ios::binary) << kHead << kList << kTail;
    chmod(file.c_str(), 0600);
    std::string list = kList;
    list.insert(list.size() - 1, "\\");
    const std::string edited = kHead + list + "  GL: lunabrelle --root\t\t\t\t    \\n\n" + kTail;
    for (int run = 0; run < 2; ++run) {
        std::tie(status, output) = add();
        EXPECT_EQ(status, 0) << output;
        EXPECT_EQ(read_text(file), edited) << run;
    }
    EXPECT_EQ(read_text(home.file(".xscreensaver.before-lunabrelle")), kHead + kList + kTail);
    struct stat info {};
    stat(file.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path()), {}), 2) << "no stray files";
    // Present in any form XScreenSaver writes: disabled, named, by path, without "GL:".
    std::string out;
    for (const char* entry : {"-  GL: lunabrelle --root", "\"Meadow\" GL: lunabrelle -root -fps",
                              "/usr/libexec/xscreensaver/lunabrelle --root", "lunabrelle"}) {
        const std::string text = "programs:\t\\\n  maze --root \\n\\\n  " + std::string(entry) + " \\n\n";
        EXPECT_EQ(add_program_entry(text, &out), EntryResult::present) << entry;
    }
    EXPECT_EQ(add_program_entry("programs:\t\\\n  lunabrelle-like --root \\n\n", &out), EntryResult::added);
    EXPECT_EQ(add_program_entry(kHead + kTail, &out), EntryResult::no_list);
}

}  // namespace
}  // namespace lunabrelle::x11
