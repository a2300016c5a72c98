// Frames written over what is not a plain file: a link is written through, a
// device or a FIFO is written into, and neither is ever replaced.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "platform/render/png_output.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using lunabrelle::test::TempFolder;

const std::vector<std::uint8_t> kFrame(2 * 2 * 4, 200);

bool is_png(const std::vector<unsigned char>& bytes) {
    return bytes.size() > 8 && bytes[1] == 'P' && bytes[2] == 'N' && bytes[3] == 'G';
}

// Everything a FIFO's reader gets until the writer closes.
std::vector<unsigned char> drain(const std::string& fifo) {
    std::vector<unsigned char> got;
    const int fd = open(fifo.c_str(), O_RDONLY);
    unsigned char chunk[4096];
    for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;) got.insert(got.end(), chunk, chunk + n);
    close(fd);
    return got;
}

TEST(PngOutputSpecialFiles, LinksAreWrittenThroughAndKept) {
    TempFolder dir;
    fs::create_directory(dir.path() / "pictures");
    for (const bool dangling : {false, true}) {
        SCOPED_TRACE(dangling ? "dangling link" : "link to a file");
        const std::string link = dir.file(dangling ? "new.png" : "old.png");
        const std::string target = dangling ? "pictures/new-target.png" : "pictures/old-target.png";
        if (!dangling) dir.write(target, {1, 2, 3});
        ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
        std::string error;
        ASSERT_TRUE(lunabrelle::write_png(link, 2, 2, kFrame, &error)) << error;
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_TRUE(is_png(dir.read(target)));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "pictures"), {}), 2);
}

TEST(PngOutputSpecialFiles, DevicesAndFifosAreWrittenIntoNeverReplaced) {
    TempFolder dir;
    const std::string fifo = dir.file("pipe.png"), device = dir.file("null.png");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0) << "needs root: a null device";
    std::string error;

    EXPECT_TRUE(lunabrelle::write_png(device, 2, 2, kFrame, &error)) << error;
    EXPECT_TRUE(fs::is_character_file(device));

    // Nobody reads the pipe yet: refused at once, with a word why.
    EXPECT_FALSE(lunabrelle::write_png(fifo, 2, 2, kFrame, &error));
    EXPECT_NE(error.find("pipe.png"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_fifo(fifo));

    auto reader = std::async(std::launch::async, drain, fifo);
    // The writer may come before the reader has opened its end; it is refused then.
    bool written = false;
    for (int tries = 0; tries < 1000 && !written; ++tries)
        if (!(written = lunabrelle::write_png(fifo, 2, 2, kFrame, &error))) usleep(1000);
    EXPECT_TRUE(written) << error;
    EXPECT_TRUE(is_png(reader.get()));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2);
}

}  // namespace
