#pragma once

#include <boost/filesystem/path.hpp>

#include <cstdint>

namespace velkor {
namespace bench {

// The system's side of ExclusiveLock: an open lock file and an exclusive lock
// on the whole of it, which the system drops when its holder dies (POSIX:
// open-file-description record locks; Windows: LockFileEx).
namespace lock_file {

using Handle = std::intptr_t;
constexpr Handle NoHandle = -1;

// Opens the lock file, creating it when it is missing (see file_owner for
// its owner). NoHandle with `error` set (ENOENT when the folder is missing)
// on failure; throws BenchError for a link (never followed), a file that is
// not a regular file, or a folder this process may not create it in.
Handle Open(const boost::filesystem::path& path, int& error);
void Close(Handle handle);
// True when locked at once; false when another holder has it.
bool TryLock(Handle handle, int& error);
// Blocks until locked; 0, or the error.
int WaitLock(Handle handle);
// Whether the open file is still the one at `path` (not removed or replaced).
bool SameFile(Handle handle, const boost::filesystem::path& path);
// The text of an error that Open, TryLock or WaitLock reported.
std::string ErrorText(int error);

} // namespace lock_file
} // namespace bench
} // namespace velkor
