#include "host/host_fixture.h"

#include <cstdlib>
#include <fstream>

#include "host/frame_driver.h"
#include "host/singletons.h"
#include "platform/system/system.h"

namespace lunabrelle::test {

std::int64_t VirtualClock::now_us = 0;
int VirtualClock::readings = 0;

namespace {

platform::WallClock read_clock() {
    ++VirtualClock::readings;
    return {VirtualClock::now_us / 1000000, VirtualClock::now_us % 1000000};
}

}  // namespace

void HostTest::SetUp() {
    GlTest::SetUp();
    std::string tmpl = (std::filesystem::temp_directory_path() / "lunabrelle-host-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    folder_ = tmpl;
    VirtualClock::set_ms(1700000000000);
    VirtualClock::readings = 0;
    platform::install_clock(read_clock);
    mac_config_path = settings_file();
}

void HostTest::TearDown() {
    mac_destruct();
    platform::install_clock(nullptr);
    std::filesystem::remove_all(folder_);
}

std::string HostTest::empty_resources() const {
    const auto dir = folder_ / "resources";
    std::filesystem::create_directory(dir);
    for (const char* name : {"main.pak", "butterfly1.pak", "butterfly2.pak", "butterfly3.pak",
                             "butterfly4.pak", "butterfly5.pak", "clock.pak", "calendar.pak",
                             "utils.pak"})
        std::ofstream(dir / name, std::ios::binary).write("\0\0\0\0", 4);  // no entries
    return dir.string();
}

}  // namespace lunabrelle::test
