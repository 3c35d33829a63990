#include "bench/store/bench_error.h"
#include "bench/store/lock_file.h"

#include <cerrno>
#include <string>
#include <system_error>
#include <windows.h>

namespace velkor {
namespace bench {
namespace lock_file {

namespace {

HANDLE Native(Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// ENOENT for a missing folder, as the POSIX side reports it; other errors
// keep their Windows number.
int ErrorOf(DWORD error) {
    return error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND ? ENOENT
                                                                          : static_cast<int>(error);
}

bool LockWhole(Handle handle, DWORD flags) {
    OVERLAPPED from{};
    return LockFileEx(Native(handle), LOCKFILE_EXCLUSIVE_LOCK | flags, 0, MAXDWORD, MAXDWORD,
                      &from) != 0;
}

bool Identity(HANDLE handle, BY_HANDLE_FILE_INFORMATION& information) {
    return GetFileInformationByHandle(handle, &information) != 0;
}

} // namespace

Handle Open(const boost::filesystem::path& path, int& error) {
    // Shared for deletion, so that a detector folder can be dropped while a
    // run still waits on its lock. A link is opened as itself, and refused.
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = ErrorOf(GetLastError());
        return NoHandle;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (Identity(file, information) &&
        (information.dwFileAttributes &
         (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        CloseHandle(file);
        throw BenchError((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0
                             ? LinkText(path)
                             : path.string() + " is not a regular file");
    }
    error = 0;
    return reinterpret_cast<Handle>(file);
}

void Close(Handle handle) {
    CloseHandle(Native(handle));
}

bool TryLock(Handle handle, int& error) {
    if (LockWhole(handle, LOCKFILE_FAIL_IMMEDIATELY)) {
        error = 0;
        return true;
    }
    const DWORD failure = GetLastError();
    error = failure == ERROR_LOCK_VIOLATION || failure == ERROR_IO_PENDING ? 0 : ErrorOf(failure);
    return false;
}

int WaitLock(Handle handle) {
    return LockWhole(handle, 0) ? 0 : ErrorOf(GetLastError());
}

bool SameFile(Handle handle, const boost::filesystem::path& path) {
    const HANDLE named =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (named == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION opened{};
    BY_HANDLE_FILE_INFORMATION current{};
    const bool same = Identity(Native(handle), opened) && Identity(named, current) &&
                      opened.dwVolumeSerialNumber == current.dwVolumeSerialNumber &&
                      opened.nFileIndexHigh == current.nFileIndexHigh &&
                      opened.nFileIndexLow == current.nFileIndexLow;
    CloseHandle(named);
    return same;
}

std::string ErrorText(int error) {
    return error == ENOENT ? "No such file or directory" : std::system_category().message(error);
}

} // namespace lock_file
} // namespace bench
} // namespace velkor
