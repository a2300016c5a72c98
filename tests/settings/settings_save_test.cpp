// Saving over what a user's settings file may be: a symbolic link, a private
// file, a folder not made yet, and saves killed half-way.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/config.h"
#include "support/temp_folder.h"

namespace {

using lunabrelle::test::TempFolder;

constexpr std::size_t kSavedSize = 28;

std::ptrdiff_t entries_in(const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

mode_t mode_of(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(SettingsSave, ALinkStaysAndItsPrivateTargetIsReplacedKeepingItsMode) {
    TempFolder dir;
    std::filesystem::create_directory(dir.path() / "real");
    dir.write("real/settings", std::vector<unsigned char>(5, 0xee));
    chmod(dir.file("real/settings").c_str(), 0600);
    const std::string path = dir.file("quorvix_lunabrelle.cfg");
    ASSERT_EQ(symlink("real/settings", path.c_str()), 0);

    ASSERT_TRUE(save_config(Config(), path));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(dir.read("real/settings").size(), kSavedSize);
    EXPECT_EQ(mode_of(dir.file("real/settings")), 0600u);
    EXPECT_EQ(entries_in(dir.path() / "real"), 1);
}

TEST(SettingsSave, MissingFoldersAreMadePrivate) {
    TempFolder dir;
    const std::string path = dir.file("config/lunabrelle/quorvix_lunabrelle.cfg");
    ASSERT_TRUE(save_config(Config(), path));
    EXPECT_EQ(dir.read("config/lunabrelle/quorvix_lunabrelle.cfg").size(), kSavedSize);
    EXPECT_EQ(mode_of(dir.file("config")), 0700u);
    EXPECT_EQ(mode_of(dir.file("config/lunabrelle")), 0700u);
}

TEST(SettingsSave, SavesKilledHalfWayLeaveTheFileWholeAndOneTemporaryAtMost) {
    TempFolder dir;
    const std::string path = dir.file("quorvix_lunabrelle.cfg");
    ASSERT_TRUE(save_config(Config(), path));
    for (int round = 0; round < 40; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            Config c;
            for (;;) {
                c.show_fps = !c.show_fps;
                save_config(c, path);
            }
        }
        usleep(useconds_t(300 + round * 97 % 2000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        ASSERT_EQ(dir.read("quorvix_lunabrelle.cfg").size(), kSavedSize) << "round " << round;
        ASSERT_LE(entries_in(dir.path()), 2) << "round " << round;
    }
    ASSERT_TRUE(save_config(Config(), path));
    EXPECT_EQ(entries_in(dir.path()), 1);
}

}  // namespace
