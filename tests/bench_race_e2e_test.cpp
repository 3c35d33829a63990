// Two runs of the program on one emulated detector at the same time: the
// second waits for the first, both finish, and the stored file is whole.
#include "tests/support/program_run.h"

#include <boost/filesystem.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <string>
#include <vector>

namespace {

using ::testing::Contains;

TEST(BenchRaceTest, TwoRunsOnOneDetectorBothLandAndLeaveAWholeFile) {
    e2e::Scratch scratch;
    scratch.bench({"init"});
    const boost::filesystem::path first = scratch.dir() / "first";
    const boost::filesystem::path second = scratch.dir() / "second";
    boost::filesystem::create_directories(first);
    boost::filesystem::create_directories(second);

    // A 7380 answers at its old address until it reboots, so both runs reach it.
    auto readdress = [&](const boost::filesystem::path& cwd, const std::string& detector,
                         const std::string& host) {
        return scratch.runIn(cwd, e2e::IpconfigProgram(),
                             {"-t", "7380", "-c", "192.168.37.130", "-d", detector, "-p", host});
    };
    auto one = std::async(std::launch::async, readdress, first, "10.0.37.132", "10.0.37.133");
    auto two =
        std::async(std::launch::async, readdress, second, "192.168.37.132", "192.168.37.133");
    const e2e::RunResult a = one.get();
    const e2e::RunResult b = two.get();

    const std::vector<std::string> success = {
        "Info - valid IP configuration action parameters",
        "Info - The ip address configuration process SUCCEEDED",
        "Info - Please reboot your detector and update the IP address of the host in the network "
        "configuration settings"};
    EXPECT_EQ(0, a.status) << a.err;
    EXPECT_EQ(success, a.outLines());
    EXPECT_EQ(0, b.status) << b.err;
    EXPECT_EQ(success, b.outLines());

    // One of the two wrote last; its file is stored whole, checksum right.
    const std::vector<std::string> shown = scratch.bench({"show", "7380"}).outLines();
    EXPECT_THAT(shown, Contains("file 206 size: 153"));
    EXPECT_THAT(shown, Contains("file checksum right: yes"));
    // Never one run's detector address beside the other run's host address.
    const bool firstWon =
        std::find(shown.begin(), shown.end(), "file detector address: 10.0.37.132") != shown.end();
    EXPECT_THAT(shown, Contains(firstWon ? "file host address: 10.0.37.133"
                                         : "file host address: 192.168.37.133"));
    EXPECT_THAT(shown, Contains(firstWon ? "file detector address: 10.0.37.132"
                                         : "file detector address: 192.168.37.132"));
}

} // namespace
