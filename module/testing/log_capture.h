#pragma once

#include "platform/tools/logger.h"

#include <string>
#include <vector>

namespace module_testing {

// Collects the finished log lines ("E text", line end removed) while it lives.
class LogCapture {
public:
    LogCapture() {
        mirl::tools::logger::manager().addsink("test", [this](const std::string& text) {
            std::string line = text;
            while (!line.empty() && line.back() == '\n') {
                line.pop_back();
            }
            lines_.push_back(line);
        });
    }
    ~LogCapture() { mirl::tools::logger::manager().removesink("test"); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<std::string>& lines() const { return lines_; }
    void clear() { lines_.clear(); }

private:
    std::vector<std::string> lines_;
};

} // namespace module_testing
