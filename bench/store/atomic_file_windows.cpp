#include "bench/store/atomic_file.h"
#include "bench/text/bench_error.h"

#include <boost/core/noncopyable.hpp>
#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <system_error>
#include <windows.h>

namespace velkor {
namespace bench {
namespace atomic_file {

namespace {

[[noreturn]] void Fail(const std::string& what, const boost::filesystem::path& path) {
    const DWORD error = GetLastError();
    throw BenchError(what + " " + path.string() + ": " +
                     std::system_category().message(static_cast<int>(error)));
}

class FileHandle : private boost::noncopyable {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    HANDLE get() const { return handle_; }
    // Closing reports late write errors, so its result counts.
    bool release() {
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// Readers share the file for deletion: a writer can then replace it while
// they read, as a rename does on POSIX systems, and they keep the old bytes.
const DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Windows replaces no file that another process has open, whatever it
// shares, and a reader here holds one only for the moment of reading it: the
// rename is tried again while that lasts, for a bounded time. It is the one
// wait of the bench that no event can end.
bool Replace(const boost::filesystem::path& from, const boost::filesystem::path& to) {
    const DWORD Pause = 2;     // milliseconds
    const int Attempts = 2500; // five seconds at the most
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = GetLastError();
        const bool busy = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                          error == ERROR_LOCK_VIOLATION;
        if (!busy || attempt == Attempts) {
            SetLastError(error);
            return false;
        }
        Sleep(Pause);
    }
}

} // namespace

// The owner-only mode has no counterpart here: the bench lives in the user's
// own profile (%LOCALAPPDATA%), which other users cannot read.
void Write(const boost::filesystem::path& path, const Bytes& bytes, bool /*ownerOnly*/) {
    const boost::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : boost::filesystem::path(".");
    boost::system::error_code error;
    if (boost::filesystem::is_symlink(boost::filesystem::symlink_status(path, error))) {
        throw BenchError(LinkText(path));
    }
    const boost::filesystem::path temporary =
        folder / boost::filesystem::unique_path("." + path.filename().string() + ".tmp-%%%%%%%%");
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        Fail("cannot create a temporary file beside", path);
    }
    try {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
            DWORD written = 0;
            if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) ||
                written == 0) {
                Fail("cannot write", temporary);
            }
            done += written;
        }
        if (!FlushFileBuffers(file.get())) {
            Fail("cannot sync", temporary);
        }
        if (!file.release()) {
            Fail("cannot close", temporary);
        }
        if (!Replace(temporary, path)) {
            Fail("cannot replace", path);
        }
    } catch (...) {
        DeleteFileW(temporary.c_str());
        throw;
    }
}

Bytes Read(const boost::filesystem::path& path, std::size_t maxSize) {
    // The link itself is opened, never what it names.
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        Fail("cannot open", path);
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileInformationByHandle(file.get(), &information) &&
        (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        throw BenchError(LinkText(path));
    }
    // Never blocks on a pipe or a device put in a file's place.
    if (GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.get(), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw BenchError(path.string() + " is not a regular file");
    }
    return detail::ReadUpTo(path, maxSize, [&](unsigned char* buffer, std::size_t size) {
        DWORD count = 0;
        if (!ReadFile(file.get(), buffer, static_cast<DWORD>(size), &count, nullptr)) {
            Fail("cannot read", path);
        }
        return static_cast<std::size_t>(count);
    });
}

} // namespace atomic_file
} // namespace bench
} // namespace velkor
