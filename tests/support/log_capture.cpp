#include "support/log_capture.h"

#include "platform/system/system.h"

namespace lunabrelle::test {

namespace {

std::vector<std::string> captured;

void sink(const std::string& message) { captured.push_back(message); }

}  // namespace

LogCapture::LogCapture() {
    captured.clear();
    platform::install_log_sink(sink);
}

LogCapture::~LogCapture() { platform::install_log_sink(nullptr); }

const std::vector<std::string>& LogCapture::lines() const { return captured; }

void LogCapture::clear() { captured.clear(); }

}  // namespace lunabrelle::test
