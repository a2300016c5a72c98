#include <gtest/gtest.h>

#include <stb_image.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/render/png_output.h"

namespace {

namespace fs = std::filesystem;

class PngOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "lunabrelle-png-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    std::size_t file_count() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    fs::path dir_;
};

TEST_F(PngOutputTest, WritesRgbTopRowFirstWithoutAlpha) {
    // 3 x 2: top row red, green, blue; bottom row white, black, grey; alpha 0.
    const std::vector<std::uint8_t> rgba = {255, 0, 0, 0,     0, 255, 0, 0,   0, 0, 255, 0,
                                            255, 255, 255, 0, 0, 0, 0, 0,     9, 9, 9, 0};
    const std::string path = (dir_ / "x.png").string();
    std::string error;
    ASSERT_TRUE(lunabrelle::write_png(path, 3, 2, rgba, &error)) << error;
    int w = 0, h = 0, channels = 0;
    unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &channels, 0);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(channels, 3);
    const std::vector<std::uint8_t> got(pixels, pixels + 18);
    stbi_image_free(pixels);
    EXPECT_EQ(got, (std::vector<std::uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255,
                                              255, 255, 255, 0, 0, 0, 9, 9, 9}));
    EXPECT_EQ(file_count(), 1u);  // no temporary file left behind
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(PngOutputTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string path = (dir_ / "x.png").string();
    std::ofstream(path) << "old";
    std::string error;
    // A frame of the wrong size is refused before anything is written.
    EXPECT_FALSE(lunabrelle::write_png(path, 2, 2, std::vector<std::uint8_t>(15), &error));
    EXPECT_FALSE(error.empty());
    // A folder that cannot be written.
    if (geteuid() != 0) {
        fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_FALSE(lunabrelle::write_png(path, 1, 1, {1, 2, 3, 4}, &error));
        fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::add);
    }
    // Renaming over a folder fails after the temporary was written.
    fs::create_directory(dir_ / "sub.png");
    fs::create_directory(dir_ / "sub.png" / "inner");
    EXPECT_FALSE(lunabrelle::write_png((dir_ / "sub.png").string(), 1, 1, {1, 2, 3, 4}, &error));
    EXPECT_NE(error.find("sub.png"), std::string::npos);
    std::string old;
    std::ifstream(path) >> old;
    EXPECT_EQ(old, "old");
    EXPECT_EQ(file_count(), 2u);
}

TEST_F(PngOutputTest, WritableFolderNeedsAnExistingFolder) {
    EXPECT_TRUE(lunabrelle::writable_folder(dir_.string()));
    EXPECT_FALSE(lunabrelle::writable_folder((dir_ / "missing").string()));
    std::ofstream((dir_ / "file").string()) << "x";
    EXPECT_FALSE(lunabrelle::writable_folder((dir_ / "file").string()));
}

}  // namespace
