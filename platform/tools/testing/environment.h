#pragma once

#include <boost/core/noncopyable.hpp>
#include <boost/optional.hpp>

#include <string>
#include <utility>
#include <vector>

namespace tools_testing {

// Sets environment variables for a test and puts back what was there, on any
// system (setenv is POSIX, _putenv_s Windows').
class ScopedEnvironment : private boost::noncopyable {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment();

    ScopedEnvironment& set(const std::string& name, const std::string& value);
    ScopedEnvironment& unset(const std::string& name);

    // The time zone functions read TZ only when asked to.
    static void ReloadTimeZone();

private:
    void remember(const std::string& name);

    std::vector<std::pair<std::string, boost::optional<std::string>>> saved_;
};

// True when the test runs under Wine, which is not Windows in everything
// (links, permissions): such tests say so and skip.
bool UnderWine();

// Changes the process environment itself (no restoring).
void SetVariable(const std::string& name, const std::string& value);
void UnsetVariable(const std::string& name);

} // namespace tools_testing
