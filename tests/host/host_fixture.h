// Shared set-up of the host tests: a real headless context, the virtual
// clock (counting its readings) and a private settings file path.
#pragma once

#include <string>

#include "host/frame_driver.h"
#include "host/singletons.h"
#include "support/gl_test.h"
#include "support/temp_folder.h"
#include "support/virtual_clock.h"

namespace lunabrelle::test {

class HostTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        mac_config_path = settings_file();
    }
    void TearDown() override { mac_destruct(); }

    std::string settings_file() const { return folder.file("settings.cfg"); }  // absent until written

    TempFolder folder;
    VirtualClock clock;
};

}  // namespace lunabrelle::test
