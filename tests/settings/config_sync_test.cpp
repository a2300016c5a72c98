// The settings file reaches the disk whole before it replaces the old one:
// this program's fsync records what it syncs, then syncs it.
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "settings/config.h"
#include "support/temp_folder.h"

namespace {

struct Synced {
    std::string path;
    off_t size;
    std::vector<unsigned char> old_file;  // the settings file as it stood then
};
std::vector<Synced> synced;
std::string watched;

}  // namespace

extern "C" int fsync(int fd) {
    char path[4096] = {};
    struct stat st {};
    const ssize_t n = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path - 1);
    fstat(fd, &st);
    std::vector<unsigned char> old;
    if (FILE* f = std::fopen(watched.c_str(), "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;) old.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
    }
    synced.push_back({std::string(path, n > 0 ? std::size_t(n) : 0), st.st_size, old});
    return static_cast<int>(syscall(SYS_fsync, fd));
}

namespace {

TEST(ConfigFile, SavedBytesAreSyncedBeforeTheyReplaceTheOldFile) {
    lunabrelle::test::TempFolder dir;
    watched = dir.file("quorvix_lunabrelle.cfg");
    dir.write("quorvix_lunabrelle.cfg", {7, 7, 7});
    synced.clear();
    ASSERT_TRUE(save_config(Config(), watched));
    ASSERT_EQ(synced.size(), 1u);
    EXPECT_EQ(synced[0].path.rfind(watched + ".", 0), 0u) << synced[0].path;  // the temporary file beside it
    EXPECT_EQ(synced[0].size, 28);
    EXPECT_EQ(synced[0].old_file, (std::vector<unsigned char>{7, 7, 7}));
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg").size(), 28u);
}

}  // namespace
