#include "settings/config.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <sstream>
#include <vector>

#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using lunabrelle::test::FileSizeLimit;
using lunabrelle::test::TempFolder;

const Bytes kDefaultFile = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                            0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0};

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

// Every field, so that records can be compared whole.
std::vector<int> fields(const Config& c) {
    return {c.show_fps,      c.show_time,    c.analog_clock, c.time_24h,    c.big_clock,
            c.show_calendar, c.monday_first, c.extra_flag,   c.extra_value, c.display_mode};
}

// A version-1 file with every field off its default: extra_flag 0xAB,
// extra_value -123456, display_mode 7, flags inverted.
const Bytes kChanged = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xAB, 0xC0, 0x1D, 0xFE, 0xFF,
                        7, 0, 0, 0, 1, 0, 1, 1, 0, 0, 1};

TEST(Config, DefaultFileIsTheDocumentedTwentyEightBytes) {
    EXPECT_EQ(saved_bytes(Config()), kDefaultFile);
    const Config read = read_bytes(kDefaultFile);
    EXPECT_EQ(fields(read), fields(Config()));
    EXPECT_EQ(saved_bytes(read), kDefaultFile);
}

TEST(Config, FieldsRoundTripAndUnusedOnesPassThrough) {
    const Config read = read_bytes(kChanged);
    EXPECT_EQ(read.extra_flag, 0xAB);
    EXPECT_EQ(read.extra_value, -123456);
    EXPECT_EQ(read.display_mode, 7);
    EXPECT_TRUE(read.show_fps);
    EXPECT_FALSE(read.show_time);
    EXPECT_TRUE(read.monday_first);
    EXPECT_EQ(saved_bytes(read), kChanged);
}

TEST(Config, AnyNonZeroFlagByteReadsTrueAndIsWrittenAsOne) {
    Bytes file = kDefaultFile;
    file[21] = 2;  // show_fps
    const Config read = read_bytes(file);
    EXPECT_TRUE(read.show_fps);
    EXPECT_EQ(saved_bytes(read)[21], 1);
}

TEST(Config, OlderLayoutsGiveTheDefaults) {
    for (unsigned char version : {0, 2}) {
        Bytes file = kChanged;
        file[0] = version;
        EXPECT_EQ(fields(read_bytes(file)), fields(Config())) << int(version);
    }
}

TEST(Config, TruncatedFileKeepsTheFieldsReadSoFar) {
    const Config full = read_bytes(kChanged);
    const Config defaults;
    // Offset at which each field (in fields() order) has been read whole.
    const std::size_t ends[] = {22, 23, 24, 25, 26, 27, 28, 13, 17, 21};
    for (std::size_t length = 0; length <= kChanged.size(); ++length) {
        const Bytes cut(kChanged.begin(), kChanged.begin() + std::ptrdiff_t(length));
        const auto got = fields(read_bytes(cut));
        for (std::size_t f = 0; f < std::size(ends); ++f)
            EXPECT_EQ(got[f], length >= ends[f] ? fields(full)[f] : fields(defaults)[f])
                << "length " << length << " field " << f;
    }
}

TEST(Config, ReservedTextsAreSkippedAndWrittenEmpty) {
    Bytes file = {1, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c', 2, 0, 0, 0, 'd', 'e'};
    file.insert(file.end(), kChanged.begin() + 12, kChanged.end());
    const Config read = read_bytes(file);
    EXPECT_EQ(fields(read), fields(read_bytes(kChanged)));
    EXPECT_EQ(saved_bytes(read), kChanged);
}

TEST(Config, NegativeOrOverlongReservedLengthsGiveTheDefaults) {
    const std::int32_t bad_lengths[] = {-1, INT_MIN, 17, 1000000};
    for (std::size_t which : {4u, 8u})
        for (std::int32_t length : bad_lengths) {
            Bytes file = kChanged;
            for (std::size_t b = 0; b < 4; ++b)
                file[which + b] = static_cast<unsigned char>(std::uint32_t(length) >> (8 * b));
            EXPECT_EQ(fields(read_bytes(file)), fields(Config())) << which << " " << length;
        }
}

TEST(Config, DisplayModeTable) {
    Config c;
    const int rows[][4] = {{0, 0, 0, 0}, {3, 1024, 768, 32}, {9, 1600, 1200, 32},
                           {10, 0, 0, 0}, {-1, 0, 0, 0},    {INT_MIN, 0, 0, 0}};
    for (const auto& row : rows) {
        c.display_mode = row[0];
        EXPECT_EQ(c.ret_x_resolution(), row[1]) << row[0];
        EXPECT_EQ(c.ret_y_resolution(), row[2]) << row[0];
        EXPECT_EQ(c.ret_bpp(), row[3]) << row[0];
    }
}

TEST(ConfigFile, MissingFileGivesDefaultsAndSaveReplacesTheOldFile) {
    TempFolder dir;
    const std::string path = dir.file("quorvix_lunabrelle.cfg");
    EXPECT_EQ(fields(load_config(path)), fields(Config()));
    dir.write("quorvix_lunabrelle.cfg", Bytes(100, 0xee));
    ASSERT_TRUE(save_config(read_bytes(kChanged), path));
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg"), kChanged);
    EXPECT_EQ(fields(load_config(path)), fields(read_bytes(kChanged)));
    // Nothing but the settings file is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ConfigFile, SaveUnderAPlainFileFails) {
    TempFolder dir;
    dir.write("file", {1});
    EXPECT_FALSE(save_config(Config(), dir.file("file") + "/settings.cfg"));
    EXPECT_EQ(dir.read("file"), Bytes{1});
}

TEST(ConfigFile, FailedWriteLeavesTheOldFileIntact) {
    TempFolder dir;
    const std::string path = dir.file("quorvix_lunabrelle.cfg");
    dir.write("quorvix_lunabrelle.cfg", kChanged);
    bool saved = true;
    {
        FileSizeLimit limit(10);
        saved = save_config(Config(), path);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg"), kChanged);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
