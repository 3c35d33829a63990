// Both programs with a console that went away: a reader that quit early
// (`| grep -q ...`) or no standard streams at all. Every accepted request is
// carried out, the log is whole and holds log lines only, and the exit status
// is the one the run earned.
#include "tests/support/program_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace ::testing;
using LostConsole = e2e::Scratch::LostConsole;

const LostConsole Losses[] = {LostConsole::BrokenPipes, LostConsole::Closed};

// "2026-12-09T17:20:01.123+00:00 I ...": the stamp every log line starts with.
bool IsStamped(const std::string& line) {
    return line.size() > 24 && line[4] == '-' && line[7] == '-' && line[10] == 'T' &&
           line[13] == ':' && line[19] == '.';
}

const char* Name(LostConsole how) {
    return how == LostConsole::BrokenPipes ? "broken pipes" : "closed streams";
}

TEST(ConsoleTest, ALostConsoleNeverEndsARunHalfWay) {
    for (const LostConsole how : Losses) {
        SCOPED_TRACE(Name(how));
        e2e::Scratch scratch;
        EXPECT_EQ(scratch.runWithoutConsole(how, VELKOR_BENCH_PROGRAM, {"init"}), 0);
        EXPECT_EQ(
            scratch.runWithoutConsole(how, e2e::IpconfigProgram(),
                                      {"-t", "6080QL", "-c", "192.168.1.20", "-l", "192.168.1.1/24",
                                       "-w", "false", "-i", "CLINIC-XR", "-o", "s3cret-pass", "-d",
                                       "192.168.1.30", "-p", "192.168.1.1/24", "-v"}),
            0);

        const std::vector<std::string> shown = scratch.bench({"show", "6080QL"}).outLines();
        EXPECT_THAT(shown, Contains("wifi switch: off"));
        EXPECT_THAT(shown, Contains("ssid: CLINIC-XR"));
        EXPECT_THAT(shown, Contains("stored detector address: 192.168.1.30"));
        EXPECT_TRUE(scratch.passwordIs("6080QL", "s3cret-pass"));

        // Whole, and nothing but stamped log lines: no console line found its
        // way into the file that took a missing stream's place.
        const std::vector<std::string> log = e2e::splitLines(scratch.readLog());
        ASSERT_FALSE(log.empty());
        EXPECT_THAT(log, Each(Truly(IsStamped)));
        EXPECT_THAT(log.back(),
                    HasSubstr("DetectorIpManager::DeleteDetector - Detector has been deleted"));
    }
}

TEST(ConsoleTest, ALostConsoleKeepsTheStatusTheRunEarned) {
    for (const LostConsole how : Losses) {
        SCOPED_TRACE(Name(how));
        e2e::Scratch scratch;
        scratch.bench({"init"});
        // Many lines to write, to a console nobody reads.
        EXPECT_EQ(scratch.runWithoutConsole(how, VELKOR_BENCH_PROGRAM, {"show", "7380"}), 0);
        EXPECT_EQ(scratch.runWithoutConsole(how, e2e::IpconfigProgram(), {"-h"}), 1);
        EXPECT_EQ(scratch.runWithoutConsole(how, e2e::IpconfigProgram(),
                                            {"-t", "7380", "-c", "192.168.37.131", "-d",
                                             "10.0.37.132", "-p", "10.0.37.133"}),
                  1);
    }
}

} // namespace
