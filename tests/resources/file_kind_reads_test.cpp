// Archives and the settings file are read only from regular files of a sane
// size: a FIFO, an endless device or a huge sparse file is refused at once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "resources/pack.h"
#include "settings/config.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

TEST(SpecialFileReads, ArchivesEndTheProcessAndTheSettingsFileGivesTheDefaultsWithAMessage) {
    for (int kind = 0; kind < 3; ++kind) {
        SCOPED_TRACE(kind);  // a FIFO, a link to /dev/zero, a sparse file past the archive limit
        lunabrelle::test::TempFolder folder;
        for (const std::string name : {"clock.pak", "quorvix_lunabrelle.cfg"}) {
            const std::string path = folder.file(name);
            const int fd = kind == 2 ? open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600) : -1;
            ASSERT_TRUE(kind == 0 ? mkfifo(path.c_str(), 0600) == 0
                        : kind == 1 ? symlink("/dev/zero", path.c_str()) == 0
                                    : fd >= 0 && ftruncate(fd, off_t(kMaxArchiveBytes) + 1) == 0 && close(fd) == 0);
        }
        EXPECT_EXIT(Pack(folder.file("clock.pak").c_str()), testing::ExitedWithCode(1),
                    "clock.pak.*(not a regular file|larger than)");
        lunabrelle::test::LogCapture log;
        const Config read = load_config(folder.file("quorvix_lunabrelle.cfg"));
        EXPECT_TRUE(read.show_time && !read.show_fps && read.big_clock);
        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_NE(log.lines()[0].find("quorvix_lunabrelle.cfg"), std::string::npos) << log.lines()[0];
    }
}

}  // namespace
