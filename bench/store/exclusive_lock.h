#pragma once

#include <boost/filesystem/path.hpp>

#include <chrono>
#include <cstdint>
#include <string>

namespace velkor {
namespace bench {

// An exclusive lock on a lock file, held from construction to destruction
// (or release()), released by the system if the process dies.
class ExclusiveLock {
public:
    // Waits at most `timeout` for another holder to let go, then throws
    // BenchError with `busyText`. The folder of `path` must exist; when it
    // does not, BenchError is thrown with `goneText`.
    ExclusiveLock(const boost::filesystem::path& path, std::chrono::milliseconds timeout,
                  const std::string& busyText, const std::string& goneText);
    ~ExclusiveLock();
    ExclusiveLock(ExclusiveLock&& other) noexcept;
    ExclusiveLock& operator=(ExclusiveLock&&) = delete;
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

    void release();
    bool held() const { return handle_ != -1; }

private:
    std::intptr_t handle_ = -1; // a lock_file::Handle
};

} // namespace bench
} // namespace velkor
