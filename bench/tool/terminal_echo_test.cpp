#include "bench/tool/terminal_echo.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace velkor {
namespace bench {
namespace {

#ifndef _WIN32

bool Echoes(int fd) {
    termios settings{};
    EXPECT_EQ(0, tcgetattr(fd, &settings));
    return (settings.c_lflag & ECHO) != 0;
}

TEST(HiddenTypingTest, ATerminalShowsNothingTypedWhileItLivesAndEchoesAfter) {
    int master = -1;
    int terminal = -1;
    ASSERT_EQ(0, openpty(&master, &terminal, nullptr, nullptr, nullptr));
    ASSERT_TRUE(Echoes(terminal));
    {
        const HiddenTyping hidden(terminal);
        EXPECT_FALSE(Echoes(terminal));
        termios settings{};
        ASSERT_EQ(0, tcgetattr(terminal, &settings));
        EXPECT_NE(0u, settings.c_lflag & ECHONL) << "the line end must still show";
    }
    EXPECT_TRUE(Echoes(terminal));
    close(terminal);
    close(master);
}

TEST(HiddenTypingTest, AnythingElseIsLeftAlone) {
    int fds[2];
    ASSERT_EQ(0, pipe(fds));
    { const HiddenTyping hidden(fds[0]); }
    EXPECT_EQ(0, close(fds[0])); // still open: nothing closed or broken it
    EXPECT_EQ(0, close(fds[1]));
}

#endif

} // namespace
} // namespace bench
} // namespace velkor
