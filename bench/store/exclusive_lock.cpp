#include "bench/store/exclusive_lock.h"

#include "bench/store/file_owner.h"
#include "bench/store/lock_file.h"
#include "bench/text/bench_error.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <cerrno>
#include <string>
#include <thread>

namespace velkor {
namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

// 0 when locked; ETIMEDOUT when another holder kept it until `until`; another
// error on failure.
//
// Tried again after a pause that starts at a few milliseconds and doubles.
// Waiting for our own work never polls, but here the holder is another run,
// in another process as a rule, and the system has no bounded wait for a file
// lock: the blocking calls (F_OFD_SETLKW, LockFileEx) wait without a
// deadline, and a helper thread blocked in one could outlive the call. Long-
// lived tools take their lock files the same way, as does Boost.Interprocess'
// timed file lock.
int LockUntil(lock_file::Handle handle, Clock::time_point until) {
    const auto longestPause = std::chrono::milliseconds(64);
    auto pause = std::chrono::milliseconds(2);
    for (;;) {
        int error = 0;
        if (lock_file::TryLock(handle, error)) {
            return 0;
        }
        if (error != 0) {
            return error;
        }
        const auto now = Clock::now();
        if (now >= until) {
            return ETIMEDOUT;
        }
        std::this_thread::sleep_until(std::min(until, now + pause));
        pause = std::min(longestPause, pause * 2);
    }
}

} // namespace

ExclusiveLock::ExclusiveLock(const boost::filesystem::path& path, std::chrono::milliseconds timeout,
                             const std::string& busyText, const std::string& goneText) {
    const auto until = Clock::now() + timeout;
    // The lock file can be replaced while we wait (a detector removed and
    // added again): a lock on the old file guards nothing, so take the new one.
    for (;;) {
        int error = 0;
        const lock_file::Handle handle = lock_file::Open(path, error);
        if (handle == lock_file::NoHandle) {
            if (error == ENOENT) {
                throw BenchError(goneText);
            }
            throw BenchError("cannot open the lock file " + path.string() + ": " +
                             lock_file::ErrorText(error) +
                             (error == EACCES || error == EPERM ? file_owner::ForeignNote(path)
                                                                : std::string()));
        }
        const int outcome = LockUntil(handle, until);
        if (outcome == 0 && lock_file::SameFile(handle, path)) {
            handle_ = handle;
            return;
        }
        lock_file::Close(handle);
        if (outcome == ETIMEDOUT) {
            throw BenchError(busyText);
        }
        if (outcome != 0) {
            throw BenchError("cannot lock " + path.string() + ": " + lock_file::ErrorText(outcome));
        }
        if (!boost::filesystem::exists(path.parent_path())) {
            throw BenchError(goneText);
        }
        if (Clock::now() >= until) {
            throw BenchError(busyText);
        }
    }
}

ExclusiveLock::~ExclusiveLock() {
    release();
}

ExclusiveLock::ExclusiveLock(ExclusiveLock&& other) noexcept : handle_(other.handle_) {
    other.handle_ = lock_file::NoHandle;
}

void ExclusiveLock::release() {
    if (handle_ != lock_file::NoHandle) {
        lock_file::Close(handle_);
        handle_ = lock_file::NoHandle;
    }
}

} // namespace bench
} // namespace velkor
