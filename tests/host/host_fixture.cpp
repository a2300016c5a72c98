#include "host/host_fixture.h"

#include <filesystem>

#include "host/frame_driver.h"
#include "host/singletons.h"

namespace lunabrelle::test {

void HostTest::SetUp() {
    GlTest::SetUp();
    VirtualClock::now_ms = 1700000000000;
    VirtualClock::readings = 0;
    mac_config_path = settings_file();
}

void HostTest::TearDown() { mac_destruct(); }

std::string HostTest::empty_resources() const {
    std::filesystem::create_directory(folder.path() / "resources");
    for (const char* name : {"main", "butterfly1", "butterfly2", "butterfly3", "butterfly4", "butterfly5", "clock",
                             "calendar", "utils"})
        folder.write(std::string("resources/") + name + ".pak", {0, 0, 0, 0});  // no entries
    return folder.file("resources");
}

}  // namespace lunabrelle::test
