// The program against a bench that holds odd or damaged detectors: damage stays
// with the detector it hits, bytes after a file's structure are accepted, and
// whatever bytes an SSID holds reach terminals and logs escaped.
#include "detector/testing/sample_files.h"
#include "tests/support/bench_files.h"
#include "tests/support/program_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
namespace sample_files = detector_testing::sample_files;
using Args = std::vector<std::string>;

const Args Readdress7180 = {"-t", "7180",        "-c", "10.0.37.130",
                            "-d", "10.0.37.132", "-p", "10.0.37.133"};
const Args Readdress7380 = {"-t", "7380",        "-c", "192.168.37.130",
                            "-d", "10.0.37.132", "-p", "10.0.37.133"};

class DamagedBenchTest : public ::testing::Test {
protected:
    void SetUp() override { scratch.bench({"init"}); }
    e2e::Scratch scratch;
};

TEST_F(DamagedBenchTest, ADeeplyNestedDetectorFailsAloneAndNeverCrashes) {
    e2e::OverwriteRecord(scratch.benchDir(), "7380", std::string(200000, '['));
    const std::string reason = "malformed detector.json: nested deeper than 8 levels";

    const e2e::RunResult other = scratch.ipconfig(Readdress7180);
    EXPECT_EQ(0, other.status) << other.err;
    EXPECT_THAT(other.outLines(),
                ElementsAre("Info - valid IP configuration action parameters",
                            "Info - The ip address configuration process SUCCEEDED",
                            "Info - Please reboot your detector and update the IP address of the "
                            "host in the network configuration settings"));

    const e2e::RunResult damaged = scratch.ipconfig(Readdress7380);
    EXPECT_EQ(1, damaged.status);
    EXPECT_EQ("Error - The ip address configuration process FAILED (std::exception).\n",
              damaged.err);
    EXPECT_THAT(scratch.readLog(),
                HasSubstr("det : open failed: no Vk7180c detector answers at "
                          "192.168.37.130:10001; detector 7380 is damaged and silent: " +
                          reason));

    const e2e::RunResult list = scratch.bench({"list"});
    EXPECT_THAT(list.outLines(), testing::Contains("7380         ?       ?                ?      "
                                                   "damaged: " +
                                                   reason));
    const e2e::RunResult show = scratch.bench({"show", "7380"}, false);
    EXPECT_EQ(1, show.status);
    EXPECT_EQ("velkor-bench: detector 7380 is damaged: " + reason + "\n", show.err);
}

TEST_F(DamagedBenchTest, ADeeplyNestedUserConfigurationEndsTheRunCleanly) {
    velkor::bench::DetectorRecord record = e2e::LoadRecord(scratch.benchDir(), "6080QL");
    std::string deep;
    for (int i = 0; i < 100000; ++i) {
        deep += "<a>";
    }
    record.userConfig = deep;
    e2e::SaveRecord(scratch.benchDir(), "6080QL", record);

    const e2e::RunResult run = scratch.ipconfig(
        {"-t", "6080QL", "-c", "192.168.1.20", "-l", "192.168.1.1/24", "-w", "off"});
    EXPECT_EQ(1, run.status);
    EXPECT_THAT(run.errLines(), ElementsAre(testing::StartsWith(
                                    "Error - The ip address configuration process FAILED")));
    EXPECT_THAT(scratch.readLog(),
                HasSubstr("det : user configuration not read: malformed user configuration: "
                          "nested deeper than 16 levels"));
    // The module road reaches the same detector without its user configuration.
    const e2e::RunResult module = scratch.ipconfig(
        {"-t", "6080QL", "-m", "-s", "COM3", "-d", "192.168.1.40", "-p", "192.168.1.1/24"});
    EXPECT_EQ(0, module.status) << module.err;
}

TEST_F(DamagedBenchTest, TheModuleRoadStopsAtADamagedDetector) {
    e2e::OverwriteRecord(scratch.benchDir(), "6080QL", "{\"format\":1}");
    const e2e::RunResult run =
        scratch.ipconfig({"-t", "6080QL", "-m", "-s", "COM3", "-i", "NET", "-o", "password-1"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("Error - Can not retrieve current peer and detector IP due to module creation "
              "error.\n",
              run.err);
    EXPECT_THAT(scratch.readLog(), HasSubstr("mod : open failed: detector 6080QL is damaged: "
                                             "malformed detector.json: No such node (id)"));
}

// The program keeps the bytes after a file's structure; the bench takes them.
TEST_F(DamagedBenchTest, AFileWithTrailingBytesIsReaddressedAndKeepsThem) {
    velkor::bench::DetectorRecord record = e2e::LoadRecord(scratch.benchDir(), "7380");
    record.file.insert(record.file.end(), {0xCA, 0xFE, 0x00});
    e2e::SaveRecord(scratch.benchDir(), "7380", record);

    const e2e::RunResult run = scratch.ipconfig(Readdress7380);
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_THAT(run.outLines(), testing::Contains("Info - The ip address configuration process "
                                                  "SUCCEEDED"));
    const std::string file = scratch.bench({"dump", "7380", "206"}).out;
    ASSERT_EQ(156u, file.size());
    EXPECT_EQ(std::string("\xCA\xFE\x00", 3), file.substr(153));
    EXPECT_EQ(sample_files::XorOf(mirl::acquisition::Bytes(file.begin(), file.end()), 152),
              static_cast<unsigned char>(file[152]));
    EXPECT_THAT(scratch.bench({"show", "7380"}).outLines(),
                testing::Contains("file trailing bytes: 3"));
}

TEST_F(DamagedBenchTest, SsidBytesAreStoredExactlyAndShownEscaped) {
    const struct {
        std::string ssid;
        std::string shown;
    } cases[] = {
        {"\x1B[2J\x1B[31mNET", "\\x1B[2J\\x1B[31mNET"},
        {"A\tB\rC", "A\\tB\\rC"},
        {"\xFF\xFEward", "\\xFF\\xFEward"},
    };
    for (const auto& c : cases) {
        const e2e::RunResult run =
            scratch.ipconfig({"-t", "6080QL", "-c", "192.168.1.20", "-l", "192.168.1.1/24", "-i",
                              c.ssid, "-o", "password-1"});
        EXPECT_EQ(0, run.status) << run.err;
        EXPECT_THAT(scratch.readLog(),
                    HasSubstr("det : SSID \"" + c.shown + "\" and its password stored"));
        EXPECT_THAT(scratch.readLog(), Not(HasSubstr("\x1B")));
        EXPECT_EQ(c.ssid, e2e::LoadRecord(scratch.benchDir(), "6080QL").state.ssid);
        EXPECT_THAT(scratch.bench({"show", "6080QL"}).outLines(),
                    testing::Contains("ssid: " + c.shown));
        EXPECT_EQ(0, scratch.bench({"list", "--json"}).status);
    }
}

} // namespace
