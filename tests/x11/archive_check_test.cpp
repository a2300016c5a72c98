#include "platform/x11/archive_check.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"

namespace lunabrelle::x11 {
namespace {

void write_all(const std::string& folder) {
    // Four zero bytes: an empty archive.
    for (const std::string& name : scene_archives())
        std::ofstream(folder + "/" + name) << std::string(4, '\0');
}

TEST(ArchiveCheck, AllArchivesPresentIsFine) {
    test::TempFolder folder;
    write_all(folder.path().string());
    EXPECT_EQ(check_archives(folder.path().string()), "");
}

TEST(ArchiveCheck, AMissingArchiveIsNamedWithItsFolder) {
    test::TempFolder folder;
    write_all(folder.path().string());
    std::filesystem::remove(folder.path().string() + "/clock.pak");
    const std::string message = check_archives(folder.path().string());
    EXPECT_NE(message.find(folder.path().string() + "/clock.pak"), std::string::npos) << message;
}

TEST(ArchiveCheck, AFolderInPlaceOfAnArchiveIsRefused) {
    test::TempFolder folder;
    write_all(folder.path().string());
    std::filesystem::remove(folder.path().string() + "/main.pak");
    std::filesystem::create_directory(folder.path().string() + "/main.pak");
    EXPECT_NE(check_archives(folder.path().string()).find("main.pak"), std::string::npos);
}

TEST(ArchiveCheck, AnUnreadableArchiveIsRefused) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
    test::TempFolder folder;
    write_all(folder.path().string());
    chmod((folder.path().string() + "/utils.pak").c_str(), 0);
    EXPECT_NE(check_archives(folder.path().string()).find("utils.pak"), std::string::npos);
}

}  // namespace
}  // namespace lunabrelle::x11
