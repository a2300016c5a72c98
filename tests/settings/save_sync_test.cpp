// A saved settings file reaches the disk before it replaces the old one: the
// file that ends up at the path was synced, complete, under its temporary
// name. fsync is interposed here (this program's definition wins over the C
// library's) to see which file was synced and how large it was.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "settings/config.h"
#include "support/temp_folder.h"

namespace {

struct Synced {
    ino_t inode;
    off_t size;
};
std::vector<Synced> synced;

}  // namespace

extern "C" int fsync(int fd) {
    struct stat info {};
    if (fstat(fd, &info) == 0) synced.push_back({info.st_ino, info.st_size});
    static const auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    return real != nullptr ? real(fd) : 0;
}

namespace {

TEST(SaveSync, TheFileLeftAtThePathWasSyncedWhole) {
    const lunabrelle::test::TempFolder dir;
    const std::string path = dir.file("settings.cfg");
    synced.clear();
    ASSERT_TRUE(save_config(Config(), path));
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    ASSERT_EQ(synced.size(), 1u);
    EXPECT_EQ(synced[0].inode, info.st_ino);
    EXPECT_EQ(synced[0].size, info.st_size);
}

}  // namespace
