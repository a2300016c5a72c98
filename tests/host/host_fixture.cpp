#include "host/host_fixture.h"

#include "host/frame_driver.h"
#include "host/singletons.h"

namespace lunabrelle::test {

void HostTest::SetUp() {
    GlTest::SetUp();
    mac_config_path = settings_file();
}

void HostTest::TearDown() { mac_destruct(); }

}  // namespace lunabrelle::test
