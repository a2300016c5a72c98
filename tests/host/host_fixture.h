// Shared set-up of the host tests: a real headless context, the virtual
// clock (counting its readings) and a private settings file path.
#pragma once

#include <string>

#include "support/gl_test.h"
#include "support/temp_folder.h"
#include "support/virtual_clock.h"

namespace lunabrelle::test {

class HostTest : public GlTest {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string settings_file() const { return folder.file("settings.cfg"); }  // absent until written

    TempFolder folder;
    VirtualClock clock;
};

}  // namespace lunabrelle::test
