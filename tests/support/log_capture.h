// Collects the lines sent to platform::log while it lives.
#pragma once

#include <string>
#include <vector>

#include "platform/system/system.h"

namespace lunabrelle::test {

class LogCapture {
public:
    LogCapture() {
        captured().clear();
        platform::install_log_sink([](const std::string& line) { captured().push_back(line); });
    }
    ~LogCapture() { platform::install_log_sink(nullptr); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<std::string>& lines() const { return captured(); }
    void clear() { captured().clear(); }

private:
    static std::vector<std::string>& captured() {
        static std::vector<std::string> lines;
        return lines;
    }
};

}  // namespace lunabrelle::test
