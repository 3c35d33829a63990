#pragma once

#include <boost/filesystem/path.hpp>

#include <chrono>
#include <string>

namespace velkor {
namespace bench {

// Where the bench lives and how long a run waits for a busy detector, as the
// user's environment says.
namespace environment {

extern const std::chrono::milliseconds DefaultLockTimeout;

// $VELKOR_BENCH, else $XDG_STATE_HOME/velkor/bench, else ~/.local/state/velkor/bench;
// on Windows $VELKOR_BENCH, else %LOCALAPPDATA%\velkor\bench.
boost::filesystem::path DefaultRoot();
// 3 seconds, or $VELKOR_BENCH_LOCK_TIMEOUT_MS when it holds a number of milliseconds.
std::chrono::milliseconds LockTimeout();
// "3 seconds", "1 second", "250 ms".
std::string DurationText(std::chrono::milliseconds duration);

} // namespace environment
} // namespace bench
} // namespace velkor
