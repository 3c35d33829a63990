#pragma once

#include <boost/core/noncopyable.hpp>

namespace velkor {
namespace bench {

// Whether standard input is a terminal someone types at.
bool StandardInputIsTerminal();

// While it lives, what is typed at the terminal on standard input is not
// shown: a password typed there stays off the screen. Does nothing when
// standard input is no terminal.
class HiddenTyping : private boost::noncopyable {
public:
    HiddenTyping();
    ~HiddenTyping();

#ifndef _WIN32
    // The same for the terminal open on `fd`.
    explicit HiddenTyping(int fd);
#endif

private:
    bool hidden_ = false;
#ifdef _WIN32
    unsigned long mode_ = 0;
#else
    int fd_ = -1;
    unsigned int localFlags_ = 0;
#endif
};

} // namespace bench
} // namespace velkor
