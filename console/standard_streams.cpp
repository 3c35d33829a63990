#include "console/standard_streams.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace standard_streams {

namespace {

#ifdef _WIN32
const char* const NullDevice = "NUL";
bool IsOpen(int fd) {
    return _get_osfhandle(fd) >= 0;
}
#else
const char* const NullDevice = "/dev/null";
bool IsOpen(int fd) {
    return fcntl(fd, F_GETFD) != -1 || errno != EBADF;
}
#endif

// The null device on `fd`, which is the lowest free number, so the system
// hands out that one; moved there should it hand out another.
void OpenNullOn(int fd) {
    const int opened = open(NullDevice, fd == 0 ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) {
        dup2(opened, fd);
        close(opened);
    }
}

} // namespace

void Guard() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (!IsOpen(fd)) {
            OpenNullOn(fd);
        }
    }
#ifndef _WIN32
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

} // namespace standard_streams
