#include "bench/store/bench_environment.h"

#include <algorithm>
#include <cstdlib>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace velkor {
namespace bench {
namespace environment {

namespace fs = boost::filesystem;

const std::chrono::milliseconds DefaultLockTimeout{3000};

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

} // namespace

fs::path DefaultRoot() {
    const std::string bench = Variable("VELKOR_BENCH");
    if (!bench.empty()) {
        return fs::path(bench);
    }
#ifdef _WIN32
    // The user's own application data, which stays on this machine.
    const std::string local = Variable("LOCALAPPDATA");
    return fs::path(local.empty() ? Variable("USERPROFILE") : local) / "velkor" / "bench";
#else
    const std::string state = Variable("XDG_STATE_HOME");
    if (!state.empty() && state[0] == '/') {
        return fs::path(state) / "velkor" / "bench";
    }
    std::string home = Variable("HOME");
    if (home.empty()) {
        if (const passwd* user = ::getpwuid(::getuid())) {
            home = user->pw_dir;
        }
    }
    return fs::path(home) / ".local" / "state" / "velkor" / "bench";
#endif
}

std::chrono::milliseconds LockTimeout() {
    const std::string text = Variable("VELKOR_BENCH_LOCK_TIMEOUT_MS");
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return DefaultLockTimeout;
    }
    return std::chrono::milliseconds(std::stol(text));
}

std::string DurationText(std::chrono::milliseconds duration) {
    if (duration.count() % 1000 == 0) {
        const long seconds = static_cast<long>(duration.count() / 1000);
        return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
    }
    return std::to_string(duration.count()) + " ms";
}

} // namespace environment
} // namespace bench
} // namespace velkor
