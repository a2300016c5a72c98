// Archives and the settings file are read only from regular files of a sane
// size: a FIFO, an endless device or a huge sparse file is refused at once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <functional>
#include <string>

#include "resources/pack.h"
#include "settings/config.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

using lunabrelle::test::TempFolder;

// A file of size bytes that takes no room: all of it is a hole.
bool truncate_new(const std::string& path, off_t size) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return false;
    const bool ok = ftruncate(fd, size) == 0;
    close(fd);
    return ok;
}

struct SpecialFile {
    const char* what;
    std::function<bool(const std::string&)> make;  // false when it cannot be made
};

const SpecialFile kSpecialFiles[] = {
    {"FIFO", [](const std::string& p) { return mkfifo(p.c_str(), 0600) == 0; }},
    {"link to /dev/zero", [](const std::string& p) { return symlink("/dev/zero", p.c_str()) == 0; }},
    {"sparse file past the archive limit",
     [](const std::string& p) { return truncate_new(p, off_t(kMaxArchiveBytes) + 1); }},
};

class SpecialFileReads : public testing::TestWithParam<SpecialFile> {};

TEST_P(SpecialFileReads, ArchiveEndsTheProcessWithAMessage) {
    TempFolder folder;
    const std::string path = folder.file("clock.pak");
    ASSERT_TRUE(GetParam().make(path));
    EXPECT_EXIT(Pack pack(path.c_str()), testing::ExitedWithCode(1),
                "clock.pak.*(not a regular file|larger than)");
}

TEST_P(SpecialFileReads, SettingsFileGivesTheDefaultsWithAMessage) {
    TempFolder folder;
    const std::string path = folder.file("quorvix_lunabrelle.cfg");
    ASSERT_TRUE(GetParam().make(path));
    lunabrelle::test::LogCapture log;
    const Config read = load_config(path);
    EXPECT_TRUE(read.show_time && !read.show_fps && read.big_clock);
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines()[0].find("quorvix_lunabrelle.cfg"), std::string::npos) << log.lines()[0];
}

INSTANTIATE_TEST_SUITE_P(Kinds, SpecialFileReads, testing::ValuesIn(kSpecialFiles),
                         [](const testing::TestParamInfo<SpecialFile>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

}  // namespace
