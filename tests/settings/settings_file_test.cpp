// The settings file: its bytes written and read, what a foreign, damaged or
// short file reads as, and saving it (synced before it replaces the old one, a
// failed save leaving the old file whole, a link, a private file, a folder not
// made yet, a save killed half-way before).
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "settings/config.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using lunabrelle::test::TempFolder;

// What this program's fsync saw: the file synced, its size, and the size of
// the settings file at `watched` then.
struct Synced { std::string path; off_t size; std::uintmax_t settings_size; };
std::vector<Synced> synced;
std::string watched;

}  // namespace

extern "C" int fsync(int fd) {
    struct stat st {};
    fstat(fd, &st);
    std::error_code error;
    synced.push_back({std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error).string(), st.st_size,
                      std::filesystem::file_size(watched, error)});
    return static_cast<int>(syscall(SYS_fsync, fd));
}

namespace {

// Every field off its default and no two neighbouring flags alike, so a field
// read or written in another's place shows: extra_flag 0xAB, extra_value
// -123456, display_mode 7, show_fps 1, show_time 0, analog_clock 1, time_24h 0,
// big_clock 0, show_calendar 1, monday_first 1.
const Bytes kChanged = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xAB, 0xC0, 0x1D, 0xFE, 0xFF, 7, 0, 0, 0, 1, 0, 1, 0, 0, 1, 1};

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
const std::vector<int> kChangedFields = {1, 0, 1, 0, 0, 1, 1, 0xAB, -123456, 7};

TEST(ConfigLayout, ReadsAndWritesEveryFieldInItsPlace) {
    EXPECT_EQ(fields(read_bytes(kChanged)), kChangedFields);
    EXPECT_EQ(saved_bytes(read_bytes(kChanged)), kChanged);
    // Reserved texts are skipped on reading and written empty.
    Bytes texts = {1, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c', 2, 0, 0, 0, 'd', 'e'};
    texts.insert(texts.end(), kChanged.begin() + 12, kChanged.end());
    EXPECT_EQ(saved_bytes(read_bytes(texts)), kChanged);
}

TEST(ConfigLayout, ForeignOrDamagedFilesGiveTheDefaultsShortOnesKeepWhatWasReadAndNoModeReadsPastTheTable) {
    // Another layout version, then text lengths that are negative or run past the file.
    for (auto [at, value] : {std::pair<std::size_t, std::int32_t>{0, 0}, {0, 2}, {4, -1}, {4, INT_MIN}, {4, 17},
                             {8, -1}, {8, 1000000}}) {
        Bytes bytes = kChanged;
        for (std::size_t b = 0; b < 4; ++b) bytes[at + b] = static_cast<unsigned char>(std::uint32_t(value) >> (8 * b));
        EXPECT_EQ(fields(read_bytes(bytes)), fields(Config())) << at << ": " << value;
    }
    Config c;  // nor does a display mode outside the table give a resolution
    for (int mode : {10, -1, INT_MIN}) {
        c.display_mode = mode;
        EXPECT_EQ(c.ret_x_resolution() | c.ret_y_resolution() | c.ret_bpp(), 0) << mode;
    }
    const std::size_t ends[] = {22, 23, 24, 25, 26, 27, 28, 13, 17, 21};  // each field read whole, fields() order
    for (std::size_t length = 0; length <= kChanged.size(); ++length) {
        const auto got = fields(read_bytes(Bytes(kChanged.begin(), kChanged.begin() + std::ptrdiff_t(length))));
        for (std::size_t f = 0; f < std::size(ends); ++f)
            EXPECT_EQ(got[f], length >= ends[f] ? kChangedFields[f] : fields(Config())[f]) << "length " << length << " field " << f;
    }
}

std::ptrdiff_t entries_in(const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

mode_t mode_of(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(SettingsFile, SaveSyncsBeforeReplacingAFailedSaveKeepsTheOldFileALinkKeepsItsTargetsModeAndFoldersAreMadePrivate) {
    TempFolder dir;
    watched = dir.file("quorvix_lunabrelle.cfg");
    EXPECT_TRUE(load_config(watched).show_time);  // missing: the defaults
    dir.write("quorvix_lunabrelle.cfg", Bytes(100, 0xee));
    dir.write("quorvix_lunabrelle.cfg.saving", Bytes(3, 1));  // left by a save killed half-way
    synced.clear();
    Config c;
    c.show_time = false;
    ASSERT_TRUE(save_config(c, watched));
    ASSERT_FALSE(synced.empty());  // the folder is synced after the rename
    EXPECT_EQ(synced[0].path, watched + ".saving");
    EXPECT_EQ(synced[0].size, off_t(kChanged.size()));
    EXPECT_EQ(synced[0].settings_size, 100u);  // the old file
    {
        lunabrelle::test::FileSizeLimit limit(10);
        EXPECT_FALSE(save_config(Config(), watched));
    }
    EXPECT_EQ(dir.read("quorvix_lunabrelle.cfg"), saved_bytes(c));
    EXPECT_EQ(entries_in(dir.path()), 1);  // no temporary left
    std::filesystem::create_directory(dir.path() / "real");
    dir.write("real/settings", Bytes(5, 0xee));
    chmod(dir.file("real/settings").c_str(), 0600);
    const std::string path = dir.file("link.cfg");
    ASSERT_EQ(symlink("real/settings", path.c_str()), 0);
    ASSERT_TRUE(save_config(Config(), path));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(dir.read("real/settings").size(), kChanged.size());
    EXPECT_EQ(mode_of(dir.file("real/settings")), 0600u);
    EXPECT_EQ(entries_in(dir.path() / "real"), 1);
    ASSERT_TRUE(save_config(Config(), dir.file("config/lunabrelle/quorvix_lunabrelle.cfg")));
    EXPECT_EQ(mode_of(dir.file("config")), 0700u);
    EXPECT_EQ(mode_of(dir.file("config/lunabrelle")), 0700u);
}

}  // namespace
