#include "settings/config.h"

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using lunabrelle::test::TempFolder;

// What this program's fsync saw: the path and size of the file synced, and
// the settings file at `watched` as it stood then.
struct Synced {
    std::string path;
    off_t size;
    Bytes settings_file;
};
std::vector<Synced> synced;
std::string watched;

}  // namespace

extern "C" int fsync(int fd) {
    char path[4096] = {};
    struct stat st {};
    const ssize_t n = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path - 1);
    fstat(fd, &st);
    Bytes old;
    if (FILE* f = std::fopen(watched.c_str(), "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;) old.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
    }
    synced.push_back({std::string(path, n > 0 ? std::size_t(n) : 0), st.st_size, old});
    return static_cast<int>(syscall(SYS_fsync, fd));
}

namespace {

const Bytes kDefaultFile = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0};

// Every field off its default, and no two neighbouring flags alike, so that a
// field read or written in another's place shows: extra_flag 0xAB,
// extra_value -123456, display_mode 7, then show_fps 1, show_time 0,
// analog_clock 1, time_24h 0, big_clock 0, show_calendar 1, monday_first 1.
const Bytes kChanged = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xAB, 0xC0,
                        0x1D, 0xFE, 0xFF, 7, 0, 0, 0, 1, 0, 1, 0, 0, 1, 1};

Config changed() {
    Config c;
    c.extra_flag = 0xAB;
    c.extra_value = -123456;
    c.display_mode = 7;
    c.show_fps = true;
    c.show_time = false;
    c.analog_clock = true;
    c.big_clock = false;
    c.monday_first = true;
    return c;
}

Config read_bytes(const Bytes& bytes) {
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    return Config(in);
}

Bytes saved_bytes(const Config& config) {
    std::ostringstream out;
    EXPECT_TRUE(config.save(out));
    const std::string s = out.str();
    return {s.begin(), s.end()};
}

std::vector<int> fields(const Config& c) {
    return {c.show_fps,      c.show_time,    c.analog_clock, c.time_24h,    c.big_clock,
            c.show_calendar, c.monday_first, c.extra_flag,   c.extra_value, c.display_mode};
}

TEST(Config, ReadsAndWritesTheDocumentedLayout) {
    EXPECT_EQ(saved_bytes(Config()), kDefaultFile);
    EXPECT_EQ(saved_bytes(changed()), kChanged);
    EXPECT_EQ(fields(read_bytes(kChanged)), fields(changed()));
    EXPECT_EQ(fields(read_bytes(kDefaultFile)), fields(Config()));
    // Any non-zero flag byte reads true and is written back as 1.
    Bytes two = kDefaultFile;
    two[21] = 2;
    EXPECT_EQ(saved_bytes(read_bytes(two))[21], 1);
    // Reserved texts are skipped on reading and written empty.
    Bytes texts = {1, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c', 2, 0, 0, 0, 'd', 'e'};
    texts.insert(texts.end(), kChanged.begin() + 12, kChanged.end());
    EXPECT_EQ(saved_bytes(read_bytes(texts)), kChanged);
}

TEST(Config, TruncatedFileKeepsTheFieldsReadSoFar) {
    // Offset at which each field (in fields() order) has been read whole.
    const std::size_t ends[] = {22, 23, 24, 25, 26, 27, 28, 13, 17, 21};
    for (std::size_t length = 0; length <= kChanged.size(); ++length) {
        const auto got = fields(read_bytes(Bytes(kChanged.begin(), kChanged.begin() + std::ptrdiff_t(length))));
        for (std::size_t f = 0; f < std::size(ends); ++f)
            EXPECT_EQ(got[f], length >= ends[f] ? fields(changed())[f] : fields(Config())[f])
                << "length " << length << " field " << f;
    }
}

TEST(Config, OtherVersionsAndBadReservedLengthsGiveTheDefaults) {
    std::vector<Bytes> files;
    for (unsigned char version : {0, 2}) {
        files.push_back(kChanged);
        files.back()[0] = version;
    }
    for (std::size_t at : {4u, 8u})
        for (std::int32_t length : {-1, INT_MIN, 17, 1000000}) {
            files.push_back(kChanged);
            for (std::size_t b = 0; b < 4; ++b)
                files.back()[at + b] = static_cast<unsigned char>(std::uint32_t(length) >> (8 * b));
        }
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(fields(read_bytes(files[i])), fields(Config())) << "case " << i;
}

TEST(Config, DisplayModeTable) {
    Config c;
    const int rows[][4] = {{0, 0, 0, 0}, {1, 640, 480, 32}, {9, 1600, 1200, 32},
                           {10, 0, 0, 0}, {-1, 0, 0, 0},   {INT_MIN, 0, 0, 0}};
    for (const auto& row : rows) {
        c.display_mode = row[0];
        EXPECT_EQ((std::vector<int>{c.ret_x_resolution(), c.ret_y_resolution(), c.ret_bpp()}),
                  (std::vector<int>{row[1], row[2], row[3]})) << row[0];
    }
}

TEST(ConfigFile, SaveSyncsTheNewFileBeforeItReplacesTheOldOne) {
    TempFolder dir;
    watched = dir.file("quorvix_lunabrelle.cfg");
    EXPECT_EQ(fields(load_config(watched)), fields(Config()));  // missing: defaults
    dir.write("quorvix_lunabrelle.cfg", Bytes(100, 0xee));
    synced.clear();
    ASSERT_TRUE(save_config(changed(), watched));
    // The bytes were synced in a temporary file beside it while the old file
    // stood (the folder is synced after the rename).
    ASSERT_FALSE(synced.empty());
    EXPECT_EQ(synced[0].path.rfind(watched + ".", 0), 0u) << synced[0].path;
    EXPECT_EQ(synced[0].size, 28);
    EXPECT_EQ(synced[0].settings_file, Bytes(100, 0xee));
    // Read back through a fresh opening: the new bytes, nothing of the old file.
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg"), kChanged);
    EXPECT_EQ(fields(load_config(watched)), fields(changed()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ConfigFile, FailedSaveLeavesTheOldFileIntact) {
    TempFolder dir;
    dir.write("file", {1});
    EXPECT_FALSE(save_config(Config(), dir.file("file") + "/settings.cfg"));
    EXPECT_EQ(dir.read("file"), Bytes{1});

    dir.write("quorvix_lunabrelle.cfg", kChanged);
    bool saved = true;
    {
        lunabrelle::test::FileSizeLimit limit(10);
        saved = save_config(Config(), dir.file("quorvix_lunabrelle.cfg"));
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg"), kChanged);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

}  // namespace
