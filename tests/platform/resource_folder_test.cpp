#include <gtest/gtest.h>

#include <filesystem>

#include "platform/system/system.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

std::string make(const lunabrelle::test::TempFolder& root, const std::string& folder) {
    const fs::path path = root.path() / folder;
    fs::create_directories(path);
    return path.string();
}

TEST(ResourceFolder, InstalledProgramsUseShareBesideBin) {
    lunabrelle::test::TempFolder root;
    const std::string bin = make(root, "usr/bin");
    const std::string share = make(root, "usr/share/lunabrelle");
    EXPECT_EQ(platform::resource_folder_beside(bin), share);
}

TEST(ResourceFolder, TheXScreenSaverHackUsesShareTwoLevelsUp) {
    lunabrelle::test::TempFolder root;
    const std::string hacks = make(root, "usr/libexec/xscreensaver");
    const std::string share = make(root, "usr/share/lunabrelle");
    EXPECT_EQ(platform::resource_folder_beside(hacks), share);
}

TEST(ResourceFolder, OnlyTheHackFolderLooksTwoLevelsUp) {
    lunabrelle::test::TempFolder root;
    const std::string other = make(root, "usr/lib/other");
    make(root, "usr/share/lunabrelle");
    EXPECT_EQ(platform::resource_folder_beside(other), other + "/resources");
}

TEST(ResourceFolder, BuildTreeProgramsUseItsResources) {
    lunabrelle::test::TempFolder root;
    const std::string build = make(root, "build");
    const std::string resources = make(root, "build/resources");
    const std::string tests = make(root, "build/tests");
    EXPECT_EQ(platform::resource_folder_beside(build), resources);
    EXPECT_EQ(platform::resource_folder_beside(tests), resources);
}

TEST(ResourceFolder, InstalledWinsOverABuildTree) {
    lunabrelle::test::TempFolder root;
    const std::string bin = make(root, "prefix/bin");
    make(root, "prefix/bin/resources");
    const std::string share = make(root, "prefix/share/lunabrelle");
    EXPECT_EQ(platform::resource_folder_beside(bin), share);
}

}  // namespace
