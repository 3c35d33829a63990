// The velkor-bench tool end to end: the factory bench, its exit statuses, its
// raw files, and a bench that a run of the program changed.
#include "detector/testing/sample_files.h"
#include "tests/support/program_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using mirl::acquisition::Bytes;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;
namespace sample_files = detector_testing::sample_files;

class BenchCliTest : public ::testing::Test {
protected:
    e2e::Scratch scratch;
};

TEST_F(BenchCliTest, InitThenShowFindsThe7380ByItsAddress) {
    const e2e::RunResult init = scratch.bench({"init"});
    EXPECT_EQ("factory bench set up at " + scratch.benchDir().string() +
                  ": 7 detectors, an infrared module on COM3\n",
              init.out);
    const std::vector<std::string> lines = scratch.bench({"show", "192.168.37.130"}).outLines();
    EXPECT_THAT(lines, Contains("detector: 7380"));
    EXPECT_THAT(lines, Contains("answers at: 192.168.37.130"));
    EXPECT_THAT(lines, Contains("file detector address: 192.168.37.130"));
    EXPECT_THAT(lines, Contains("file host address: 192.168.37.131"));
    EXPECT_THAT(lines, Contains("file checksum: 0xEC (right)"));
    EXPECT_THAT(lines, Contains("pending reboot: no"));
}

TEST_F(BenchCliTest, DumpGivesTheStoredRegisterFileByteForByte) {
    scratch.bench({"init"});
    const Bytes factory = sample_files::StoredRdxp();
    ASSERT_EQ(factory.back(), 0xEC);
    EXPECT_EQ(std::string(factory.begin(), factory.end()),
              scratch.bench({"dump", "7380", "206"}).out);
    const std::string interfaceFile = scratch.bench({"dump", "192.168.0.2", "68"}).out;
    ASSERT_EQ(68u, interfaceFile.size());
    EXPECT_EQ(std::string("\xC0\xA8\x00\x02", 4), interfaceFile.substr(64));
}

TEST_F(BenchCliTest, ExitStatusesTellBadArgumentsFromRefusals) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* err;
    };
    const std::vector<Case> cases = {
        {{"show"},
         2,
         "velkor-bench: missing arguments\nusage: velkor-bench show DETECTOR [--json]\n"},
        {{"launch"},
         2,
         "velkor-bench: unknown command launch\nusage: velkor-bench COMMAND [ARGUMENTS]  "
         "(velkor-bench --help lists them)\n"},
        {{"link", "4050QL", "radio"},
         2,
         "velkor-bench: the link is cable or wifi, not radio\nusage: velkor-bench link DETECTOR "
         "cable|wifi\n"},
        {{"show", "10.9.9.9"}, 1, nullptr},
        {{"init"}, 1, nullptr},
        {{"dump", "6080QL", "68"}, 1, "velkor-bench: a 6080QL has no file 68\n"},
    };
    scratch.bench({"init"});
    for (const Case& c : cases) {
        const e2e::RunResult result = scratch.bench(c.args, false);
        EXPECT_EQ(c.status, result.status) << c.args[0];
        if (c.err) {
            EXPECT_EQ(c.err, result.err) << c.args[0];
        }
        EXPECT_EQ("", result.out) << c.args[0];
    }
    EXPECT_EQ("velkor-bench: no detector 10.9.9.9 on the bench at " + scratch.benchDir().string() +
                  "\n",
              scratch.bench({"show", "10.9.9.9"}, false).err);
}

TEST_F(BenchCliTest, AnEmptyBenchFailsEveryOpenClearly) {
    const e2e::RunResult list = scratch.bench({"list"});
    EXPECT_THAT(list.out, HasSubstr("is empty: velkor-bench init sets one up"));
    const e2e::RunResult run =
        scratch.ipconfig({"--type", "7380", "--current_detector_ip", "192.168.37.130",
                          "--new_detector_ip", "10.0.37.132", "--new_peer_ip", "10.0.37.133"});
    EXPECT_EQ(1, run.status);
    EXPECT_THAT(scratch.readLog(), HasSubstr("det : open failed: no Vk7180c detector answers at "
                                             "192.168.37.130:10001 (the bench at " +
                                             scratch.benchDir().string() + " is empty"));
}

TEST_F(BenchCliTest, AReaddressed7380AnswersAtItsNewAddressAfterReboot) {
    scratch.bench({"init"});
    const e2e::RunResult run =
        scratch.ipconfig({"--type", "7380", "--current_detector_ip", "192.168.37.130",
                          "--new_detector_ip", "10.0.37.132", "--new_peer_ip", "10.0.37.133"});
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_THAT(scratch.bench({"list"}).out,
                HasSubstr("7380         7380    192.168.37.130   cable  reboot pending\n"));
    EXPECT_EQ("detector 7380 rebooted: answers at 10.0.37.132\n",
              scratch.bench({"reboot", "192.168.37.130"}).out);
    const std::vector<std::string> lines = scratch.bench({"show", "10.0.37.132"}).outLines();
    EXPECT_THAT(lines, Contains("file host address: 10.0.37.133"));
    EXPECT_THAT(lines, Contains("file image host address: 10.0.37.133"));
    EXPECT_THAT(lines, Contains("file checksum right: yes"));
}

TEST_F(BenchCliTest, ThePasswordAProgramRunWroteIsNeverShown) {
    scratch.bench({"init"});
    const std::string password = "Ward7-Secret-Key";
    const e2e::RunResult run = scratch.ipconfig(
        {"--type", "6080QL", "--current_detector_ip", "192.168.1.20", "--current_peer_ip",
         "192.168.1.1/24", "--new_ssid", "WARD-7", "--new_password", password});
    ASSERT_EQ(0, run.status) << run.err;
    const e2e::RunResult show = scratch.bench({"show", "6080QL"});
    EXPECT_THAT(show.outLines(), Contains("ssid: WARD-7"));
    EXPECT_THAT(show.outLines(), Contains("password: set"));
    for (const std::string& text : {show.out, scratch.bench({"show", "6080QL", "--json"}).out,
                                    scratch.bench({"list", "--json"}).out, scratch.readLog()}) {
        EXPECT_THAT(text, Not(HasSubstr(password)));
    }
    // The password travels on standard input, never on the command line.
    const e2e::RunResult right = scratch.benchFed(password + "\n", {"check-password", "6080QL"});
    EXPECT_EQ(0, right.status) << right.err;
    EXPECT_EQ("the password matches\n", right.out);
    const e2e::RunResult wrong = scratch.benchFed("Ward7-Secret\n", {"check-password", "6080QL"});
    EXPECT_EQ(1, wrong.status) << wrong.err;
    EXPECT_EQ("the password differs\n", wrong.out);
    const e2e::RunResult onTheLine = scratch.bench({"check-password", "6080QL", password}, false);
    EXPECT_EQ(2, onTheLine.status);
    EXPECT_THAT(onTheLine.err, HasSubstr("read from standard input"));
}

TEST_F(BenchCliTest, FaultsAndLinksReachTheProgram) {
    scratch.bench({"init"});
    scratch.bench({"fault", "7180", "offline", "on"});
    const e2e::RunResult offline =
        scratch.ipconfig({"--type", "7180", "--current_detector_ip", "10.0.37.130",
                          "--new_detector_ip", "10.0.37.132", "--new_peer_ip", "10.0.37.133"});
    EXPECT_EQ(1, offline.status);
    EXPECT_THAT(scratch.readLog(),
                HasSubstr("det : open failed: no Vk7180c detector answers at 10.0.37.130:10001"));
    scratch.bench({"fault", "7180", "offline", "off"});
    scratch.bench({"fault", "7180", "fail-write", "on"});
    const e2e::RunResult failing =
        scratch.ipconfig({"--type", "7180", "--current_detector_ip", "10.0.37.130",
                          "--new_detector_ip", "10.0.37.132", "--new_peer_ip", "10.0.37.133"});
    EXPECT_THAT(failing.out, HasSubstr("Info - The ip address configuration has not been changed"));
    EXPECT_THAT(scratch.readLog(),
                HasSubstr("det : file 206 not written: the detector failed to store file 206 "
                          "(fault fail-write)"));
    EXPECT_THAT(scratch.bench({"show", "7180"}).outLines(), Contains("pending reboot: no"));
}

} // namespace
