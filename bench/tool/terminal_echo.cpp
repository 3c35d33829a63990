#include "bench/tool/terminal_echo.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

namespace velkor {
namespace bench {

#ifdef _WIN32

bool StandardInputIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

HiddenTyping::HiddenTyping() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(input, &mode) != 0 &&
        SetConsoleMode(input, mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) != 0) {
        mode_ = mode;
        hidden_ = true;
    }
}

HiddenTyping::~HiddenTyping() {
    if (hidden_) {
        SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), static_cast<DWORD>(mode_));
    }
}

#else

bool StandardInputIsTerminal() {
    return isatty(STDIN_FILENO) == 1;
}

HiddenTyping::HiddenTyping() : HiddenTyping(STDIN_FILENO) {}

HiddenTyping::HiddenTyping(int fd) : fd_(fd) {
    termios settings{};
    if (isatty(fd) != 1 || tcgetattr(fd, &settings) != 0) {
        return;
    }
    localFlags_ = static_cast<unsigned int>(settings.c_lflag);
    // The line end typed after the password still ends the line.
    settings.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    settings.c_lflag |= ECHONL;
    hidden_ = tcsetattr(fd, TCSANOW, &settings) == 0;
}

HiddenTyping::~HiddenTyping() {
    termios settings{};
    if (hidden_ && tcgetattr(fd_, &settings) == 0) {
        settings.c_lflag = static_cast<tcflag_t>(localFlags_);
        tcsetattr(fd_, TCSANOW, &settings);
    }
}

#endif

} // namespace bench
} // namespace velkor
