#include "bench/store/exclusive_lock.h"

#include "bench/store/bench_error.h"

#include <boost/filesystem/operations.hpp>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace velkor {
namespace bench {

namespace {

// A bounded wait for an open-file-description lock without polling: a helper
// thread blocks in fcntl(F_OFD_SETLKW) while the caller waits on a condition
// with a deadline. On timeout the caller gives up and the helper is left to
// finish alone: when the lock comes free it closes the descriptor, which drops
// the lock at once. (Cancelling the helper instead would not survive the
// sanitizers, and a timer signal can fire before the call blocks.) OFD locks,
// unlike process-wide record locks, also exclude a second holder inside the
// same process, and the system drops them when a holder dies.
struct LockWait {
    std::mutex mutex;
    std::condition_variable condition;
    bool done = false;
    bool abandoned = false;
    int error = 0;
};

flock WholeFile() {
    flock request;
    std::memset(&request, 0, sizeof request);
    request.l_type = F_WRLCK;
    request.l_whence = SEEK_SET;
    return request;
}

// 0 when locked; ETIMEDOUT when the deadline passed, and the descriptor then
// belongs to the helper; another errno on failure.
int LockUntil(int fd, std::chrono::steady_clock::time_point until) {
    flock request = WholeFile();
    if (::fcntl(fd, F_OFD_SETLK, &request) == 0) {
        return 0;
    }
    if (errno != EAGAIN && errno != EACCES) {
        return errno;
    }
    const auto wait = std::make_shared<LockWait>();
    std::thread([wait, fd] {
        flock blocking = WholeFile();
        int result = 0;
        do {
            result = ::fcntl(fd, F_OFD_SETLKW, &blocking);
        } while (result != 0 && errno == EINTR);
        const int error = result == 0 ? 0 : errno;
        std::lock_guard<std::mutex> guard(wait->mutex);
        if (wait->abandoned) {
            ::close(fd);
            return;
        }
        wait->done = true;
        wait->error = error;
        wait->condition.notify_one();
    }).detach();

    std::unique_lock<std::mutex> guard(wait->mutex);
    if (!wait->condition.wait_until(guard, until, [&wait] { return wait->done; })) {
        wait->abandoned = true;
        return ETIMEDOUT;
    }
    return wait->error;
}

bool SameFile(int fd, const boost::filesystem::path& path) {
    struct stat opened;
    struct stat named;
    return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

ExclusiveLock::ExclusiveLock(const boost::filesystem::path& path, std::chrono::milliseconds timeout,
                             const std::string& busyText, const std::string& goneText) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    // The lock file can be replaced while we wait (a detector removed and
    // added again): a lock on the old file guards nothing, so take the new one.
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == ENOENT) {
                throw BenchError(goneText);
            }
            throw BenchError("cannot open the lock file " + path.string() + ": " +
                             std::strerror(errno));
        }
        const int outcome = LockUntil(fd, until);
        if (outcome == ETIMEDOUT) {
            throw BenchError(busyText);
        }
        if (outcome == 0 && SameFile(fd, path)) {
            fd_ = fd;
            return;
        }
        ::close(fd);
        if (outcome != 0) {
            throw BenchError("cannot lock " + path.string() + ": " + std::strerror(outcome));
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

ExclusiveLock::ExclusiveLock(ExclusiveLock&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

void ExclusiveLock::release() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace bench
} // namespace velkor
