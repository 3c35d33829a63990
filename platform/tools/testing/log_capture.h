#pragma once

#include <boost/core/noncopyable.hpp>

#include <memory>
#include <string>
#include <vector>

namespace tools_testing {

// Collects the log lines written while it lives, through the sink "test".
class LogCapture : private boost::noncopyable {
public:
    LogCapture();
    ~LogCapture();

    // Each line as "<mark> <message>", without its line end.
    const std::vector<std::string>& Lines() const { return *lines_; }
    // The lines that carry the given mark ('E', 'I', 'W'), message only.
    std::vector<std::string> Messages(char mark) const;
    std::string All() const;
    void Clear() { lines_->clear(); }

private:
    std::shared_ptr<std::vector<std::string>> lines_;
};

} // namespace tools_testing
