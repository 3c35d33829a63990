#include "bench/store/lock_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace velkor {
namespace bench {
namespace lock_file {

namespace {

// Open-file-description locks, unlike process-wide record locks, also
// exclude a second holder inside the same process.
flock WholeFile() {
    flock request;
    std::memset(&request, 0, sizeof request);
    request.l_type = F_WRLCK;
    request.l_whence = SEEK_SET;
    return request;
}

} // namespace

Handle Open(const boost::filesystem::path& path, int& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    error = fd < 0 ? errno : 0;
    return fd < 0 ? NoHandle : fd;
}

void Close(Handle handle) {
    ::close(static_cast<int>(handle));
}

bool TryLock(Handle handle, int& error) {
    flock request = WholeFile();
    if (::fcntl(static_cast<int>(handle), F_OFD_SETLK, &request) == 0) {
        error = 0;
        return true;
    }
    error = (errno == EAGAIN || errno == EACCES) ? 0 : errno;
    return false;
}

int WaitLock(Handle handle) {
    flock request = WholeFile();
    int result = 0;
    do {
        result = ::fcntl(static_cast<int>(handle), F_OFD_SETLKW, &request);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

bool SameFile(Handle handle, const boost::filesystem::path& path) {
    struct stat opened;
    struct stat named;
    return ::fstat(static_cast<int>(handle), &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

std::string ErrorText(int error) {
    return std::strerror(error);
}

} // namespace lock_file
} // namespace bench
} // namespace velkor
