#include "platform/x11/archive_check.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "x11/scratch_folder.h"

namespace lunabrelle::x11 {
namespace {

void write_all(const std::string& folder) {
    for (const std::string& name : scene_archives()) std::ofstream(folder + "/" + name) << "x";
}

TEST(ArchiveCheck, AllArchivesPresentIsFine) {
    ScratchFolder folder;
    write_all(folder.path);
    EXPECT_EQ(check_archives(folder.path), "");
}

TEST(ArchiveCheck, AMissingArchiveIsNamedWithItsFolder) {
    ScratchFolder folder;
    write_all(folder.path);
    std::filesystem::remove(folder.path + "/clock.pak");
    const std::string message = check_archives(folder.path);
    EXPECT_NE(message.find(folder.path + "/clock.pak"), std::string::npos) << message;
}

TEST(ArchiveCheck, AFolderInPlaceOfAnArchiveIsRefused) {
    ScratchFolder folder;
    write_all(folder.path);
    std::filesystem::remove(folder.path + "/main.pak");
    std::filesystem::create_directory(folder.path + "/main.pak");
    EXPECT_NE(check_archives(folder.path).find("main.pak"), std::string::npos);
}

TEST(ArchiveCheck, AnUnreadableArchiveIsRefused) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
    ScratchFolder folder;
    write_all(folder.path);
    chmod((folder.path + "/utils.pak").c_str(), 0);
    EXPECT_NE(check_archives(folder.path).find("utils.pak"), std::string::npos);
}

}  // namespace
}  // namespace lunabrelle::x11
