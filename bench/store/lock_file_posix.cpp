#include "bench/store/bench_error.h"
#include "bench/store/file_owner.h"
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

// The lock file, made for the owner of its folder: even a run that only
// reads leaves no file behind that the bench's owner cannot open.
int Create(const boost::filesystem::path& path) {
    const boost::filesystem::path folder = path.parent_path();
    struct stat status;
    if (::stat(folder.c_str(), &status) != 0) {
        return -1;
    }
    file_owner::RequireMayWriteIn(folder);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        return -1;
    }
    try {
        file_owner::GiveToOwnerOf(fd, folder, path);
    } catch (...) {
        ::close(fd);
        ::unlink(path.c_str());
        throw;
    }
    return fd;
}

} // namespace

Handle Open(const boost::filesystem::path& path, int& error) {
    // Never through a link; never blocks on a pipe or a device in its place.
    const int flags = O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    int fd = ::open(path.c_str(), flags);
    if (fd < 0 && errno == ENOENT) {
        fd = Create(path);
        if (fd < 0 && errno == EEXIST) { // made by another command at the same moment
            fd = ::open(path.c_str(), flags);
        }
    }
    if (fd < 0) {
        if (errno == ELOOP) {
            throw BenchError(LinkText(path));
        }
        error = errno;
        return NoHandle;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw BenchError(path.string() + " is not a regular file");
    }
    error = 0;
    return fd;
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
    return ::fstat(static_cast<int>(handle), &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

std::string ErrorText(int error) {
    return std::strerror(error);
}

} // namespace lock_file
} // namespace bench
} // namespace velkor
