#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/system/system.h"

namespace {

// Sets or unsets an environment variable for one test and restores it after.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SettingsPath, FollowsXdgConfigHomeElseHomeConfig) {
    ScopedEnv home("HOME", "/home/tester");
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/srv/conf");
        EXPECT_EQ(platform::settings_path(), "/srv/conf/quorvix_lunabrelle.cfg");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(platform::settings_path(), "/home/tester/.config/quorvix_lunabrelle.cfg");
    }
    // Relative and empty values are not valid base folders and are ignored.
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "relative/conf");
        EXPECT_EQ(platform::settings_path(), "/home/tester/.config/quorvix_lunabrelle.cfg");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "");
        EXPECT_EQ(platform::settings_path(), "/home/tester/.config/quorvix_lunabrelle.cfg");
    }
}

platform::WallClock fixed_clock() { return {4294967, 295999}; }

TEST(VirtualClock, DrivesWallClockAndCalendarTime) {
    platform::install_clock(fixed_clock);
    const platform::WallClock now = platform::wall_clock();
    EXPECT_EQ(now.seconds, 4294967);
    EXPECT_EQ(now.microseconds, 295999);
    EXPECT_EQ(platform::calendar_time(), std::time_t{4294967});

    platform::install_clock(nullptr);
    const std::time_t before = std::time(nullptr);
    const platform::WallClock real = platform::wall_clock();
    const std::time_t after = std::time(nullptr);
    EXPECT_GE(real.seconds, before);
    EXPECT_LE(real.seconds, after);
    EXPECT_GE(real.microseconds, 0);
    EXPECT_LT(real.microseconds, 1000000);
}

TEST(LocalTime, ConvertsInTheProcessTimeZone) {
    ScopedEnv tz("TZ", "UTC0");
    tzset();
    std::tm out{};
    ASSERT_TRUE(platform::local_time(86400 * 31 + 3600 * 5 + 7, &out));
    EXPECT_EQ(out.tm_year, 70);
    EXPECT_EQ(out.tm_mon, 1);
    EXPECT_EQ(out.tm_mday, 1);
    EXPECT_EQ(out.tm_hour, 5);
    EXPECT_EQ(out.tm_sec, 7);
}

TEST(LocalTime, FailureLeavesOutputUntouched) {
    std::tm out{};
    out.tm_year = 123;
    out.tm_mday = 17;
    out.tm_hour = 9;
    // Far beyond any year a struct tm can hold.
    EXPECT_FALSE(platform::local_time(std::numeric_limits<std::time_t>::max(), &out));
    EXPECT_EQ(out.tm_year, 123);
    EXPECT_EQ(out.tm_mday, 17);
    EXPECT_EQ(out.tm_hour, 9);
}

std::vector<std::string>* captured = nullptr;
void capture(const std::string& message) { captured->push_back(message); }

TEST(Log, InstalledSinkReceivesEachLineUnchanged) {
    std::vector<std::string> lines;
    captured = &lines;
    platform::install_log_sink(capture);
    platform::log("Couldn't initialize OpenGL");
    platform::log("");
    platform::install_log_sink(nullptr);
    captured = nullptr;
    EXPECT_EQ(lines, (std::vector<std::string>{"Couldn't initialize OpenGL", ""}));
}

TEST(ResourceFolder, HostOverrideWins) {
    platform::set_resource_folder("/opt/lunabrelle/res");
    EXPECT_EQ(platform::resource_folder(), "/opt/lunabrelle/res");
}

}  // namespace
