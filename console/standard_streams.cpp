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
bool IsOpen(int fd) {
    return _get_osfhandle(fd) >= 0;
}
int OpenNull(int fd) {
    return _open("NUL", fd == 0 ? _O_RDONLY : _O_WRONLY);
}
void MoveTo(int from, int to) {
    _dup2(from, to);
    _close(from);
}
#else
bool IsOpen(int fd) {
    return fcntl(fd, F_GETFD) != -1 || errno != EBADF;
}
int OpenNull(int fd) {
    return open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
}
void MoveTo(int from, int to) {
    dup2(from, to);
    close(from);
}
#endif

} // namespace

void Guard() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (IsOpen(fd)) {
            continue;
        }
        // The lowest free number is taken, which is this one; moved there
        // should the system hand out another.
        const int opened = OpenNull(fd);
        if (opened >= 0 && opened != fd) {
            MoveTo(opened, fd);
        }
    }
#ifndef _WIN32
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

} // namespace standard_streams
