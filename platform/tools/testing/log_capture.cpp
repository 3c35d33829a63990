#include "platform/tools/testing/log_capture.h"

#include "platform/tools/logger.h"

namespace tools_testing {

LogCapture::LogCapture() : lines_(std::make_shared<std::vector<std::string>>()) {
    const auto lines = lines_;
    mirl::tools::logger::manager().addsink("test", [lines](const std::string& text) {
        std::string line = text;
        while (!line.empty() && line.back() == '\n') {
            line.pop_back();
        }
        lines->push_back(line);
    });
}

LogCapture::~LogCapture() {
    mirl::tools::logger::manager().removesink("test");
}

std::vector<std::string> LogCapture::Messages(char mark) const {
    std::vector<std::string> result;
    for (const std::string& line : *lines_) {
        if (line.size() >= 2 && line[0] == mark && line[1] == ' ') {
            result.push_back(line.substr(2));
        }
    }
    return result;
}

std::string LogCapture::All() const {
    std::string all;
    for (const std::string& line : *lines_) {
        all += line + "\n";
    }
    return all;
}

} // namespace tools_testing
