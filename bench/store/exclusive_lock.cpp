#include "bench/store/exclusive_lock.h"

#include "bench/store/bench_error.h"
#include "bench/store/file_owner.h"
#include "bench/store/lock_file.h"

#include <boost/filesystem/operations.hpp>

#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace velkor {
namespace bench {

namespace {

// A bounded wait for the lock without polling: a helper thread blocks in the
// system's lock call while the caller waits on a condition with a deadline.
// On timeout the caller gives up and the helper is left to finish alone: when
// the lock comes free it closes the file, which drops the lock at once.
// (Cancelling the helper instead would not survive the sanitizers, and a
// timer signal can fire before the call blocks.)
struct LockWait {
    std::mutex mutex;
    std::condition_variable condition;
    bool done = false;
    bool abandoned = false;
    int error = 0;
};

// Held by another, and no time left to wait: the file stays the caller's.
const int BusyNow = -1;

// 0 when locked; ETIMEDOUT when the deadline passed, and the file then
// belongs to the helper; BusyNow; another error on failure.
int LockUntil(lock_file::Handle handle, std::chrono::steady_clock::time_point until) {
    int error = 0;
    if (lock_file::TryLock(handle, error)) {
        return 0;
    }
    if (error != 0) {
        return error;
    }
    if (std::chrono::steady_clock::now() >= until) {
        return BusyNow;
    }
    const auto wait = std::make_shared<LockWait>();
    std::thread([wait, handle] {
        const int result = lock_file::WaitLock(handle);
        std::lock_guard<std::mutex> guard(wait->mutex);
        if (wait->abandoned) {
            lock_file::Close(handle);
            return;
        }
        wait->done = true;
        wait->error = result;
        wait->condition.notify_one();
    }).detach();

    std::unique_lock<std::mutex> guard(wait->mutex);
    if (!wait->condition.wait_until(guard, until, [&wait] { return wait->done; })) {
        wait->abandoned = true;
        return ETIMEDOUT;
    }
    return wait->error;
}

} // namespace

ExclusiveLock::ExclusiveLock(const boost::filesystem::path& path, std::chrono::milliseconds timeout,
                             const std::string& busyText, const std::string& goneText) {
    const auto until = std::chrono::steady_clock::now() + timeout;
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
        if (outcome == ETIMEDOUT) {
            throw BenchError(busyText);
        }
        if (outcome == BusyNow) {
            lock_file::Close(handle);
            throw BenchError(busyText);
        }
        if (outcome == 0 && lock_file::SameFile(handle, path)) {
            handle_ = handle;
            return;
        }
        lock_file::Close(handle);
        if (outcome != 0) {
            throw BenchError("cannot lock " + path.string() + ": " + lock_file::ErrorText(outcome));
        }
        if (!boost::filesystem::exists(path.parent_path())) {
            throw BenchError(goneText);
        }
        if (std::chrono::steady_clock::now() >= until) {
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
