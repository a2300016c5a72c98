// Collects the lines sent to platform::log while it lives.
#pragma once

#include <string>
#include <vector>

namespace lunabrelle::test {

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<std::string>& lines() const;
    void clear();
};

}  // namespace lunabrelle::test
