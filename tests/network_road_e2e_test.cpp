// The network road through the real program against the emulated bench: every
// model readdressed, the Wi-Fi link restrictions, the failure exits, and what
// the bench and the log hold afterwards.
#include "detector/testing/sample_files.h"
#include "tests/support/program_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace ::testing;
namespace sample_files = detector_testing::sample_files;

const char* const RebootHint = "Info - Please reboot your detector and update the IP address of "
                               "the host in the network configuration settings";
const char* const UpdateHint = "Info - Please update the IP address of the host in the network "
                               "configuration settings (if needed)";
const char* const IpSucceeded = "Info - The ip address configuration process SUCCEEDED";
const char* const IpValid = "Info - valid IP configuration action parameters";
const char* const SsidValid = "Info - valid SSID configuration action parameters";
const char* const WifiValid = "Info - valid Wifi activation action parameters";

// The 7380's file 206 holding these addresses, as `velkor-bench dump` gives it.
std::string RegisterFile(const std::array<std::uint8_t, 4>& detector,
                         const std::array<std::uint8_t, 4>& host) {
    const mirl::acquisition::Bytes bytes =
        sample_files::Rdxp(sample_files::Registers7380(detector, host));
    return std::string(bytes.begin(), bytes.end());
}

class NetworkRoadTest : public ::testing::Test {
protected:
    void SetUp() override { scratch.bench({"init"}); }

    // `velkor-bench show`, without the host name line that every open sets.
    std::vector<std::string> State(const std::string& detector) const {
        std::vector<std::string> lines = scratch.bench({"show", detector}).outLines();
        lines.erase(std::remove_if(
                        lines.begin(), lines.end(),
                        [](const std::string& line) { return line.rfind("host name:", 0) == 0; }),
                    lines.end());
        return lines;
    }

    bool Answers(const std::string& address) const {
        return scratch.bench({"show", address}, false).status == 0;
    }

    e2e::Scratch scratch;
};

// ---- Every model, from its factory address.

using Args = std::vector<std::string>;

struct Readdressing {
    const char* model;
    Args args;
    Args stored; // lines that `show` must hold afterwards
    bool reboot; // takes the new address only when rebooted
    const char* newAddress;
};

void PrintTo(const Readdressing& r, std::ostream* out) {
    *out << r.model;
}

class NetworkRoadModelTest : public NetworkRoadTest,
                             public ::testing::WithParamInterface<Readdressing> {};

TEST_P(NetworkRoadModelTest, ReaddressesFromTheFactoryAddress) {
    const Readdressing& r = GetParam();
    std::vector<std::string> args{"-t", r.model};
    args.insert(args.end(), r.args.begin(), r.args.end());
    const e2e::RunResult run = scratch.ipconfig(args);

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.errLines(), IsEmpty());
    EXPECT_THAT(run.outLines(),
                ElementsAre(IpValid, IpSucceeded, r.reboot ? RebootHint : UpdateHint));
    const std::vector<std::string> state = State(r.model);
    for (const std::string& line : r.stored) {
        EXPECT_THAT(state, Contains(line));
    }
    EXPECT_EQ(Answers(r.newAddress), !r.reboot);
    if (r.reboot) {
        EXPECT_THAT(state, Contains("pending reboot: yes"));
        scratch.bench({"reboot", r.model});
        EXPECT_TRUE(Answers(r.newAddress));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Models, NetworkRoadModelTest,
    ::testing::Values(
        Readdressing{"6080K", Args{"-c", "192.168.0.2", "-d", "10.0.0.66"},
                     Args{"file detector address: 10.0.0.66", "file 68 size: 68"}, true,
                     "10.0.0.66"},
        Readdressing{"7180", Args{"-c", "10.0.37.130", "-d", "10.0.37.132", "-p", "10.0.37.133"},
                     Args{"file detector address: 10.0.37.132", "file host address: 10.0.37.133",
                          "file image host address: 10.0.37.133", "file checksum right: yes"},
                     true, "10.0.37.132"},
        Readdressing{"7380", Args{"-c", "192.168.37.130", "-d", "10.0.37.132", "-p", "10.0.37.133"},
                     Args{"file detector address: 10.0.37.132", "file host address: 10.0.37.133",
                          "file image host address: 10.0.37.133", "file checksum right: yes"},
                     true, "10.0.37.132"},
        Readdressing{"6080QL",
                     Args{"-c", "192.168.1.20", "-l", "192.168.1.1/24", "-d", "10.0.1.30", "-p",
                          "10.0.1.1/16"},
                     Args{"stored detector address: 10.0.1.30", "stored host address: 10.0.1.1/16"},
                     false, "10.0.1.30"},
        Readdressing{
            "4050QL",
            Args{"-c", "192.168.2.20", "-l", "192.168.2.1/24", "-d", "192.168.2.30", "-p",
                 "192.168.2.1/24"},
            Args{"stored detector address: 192.168.2.30", "stored host address: 192.168.2.1/24"},
            false, "192.168.2.30"},
        Readdressing{
            "7380TW",
            Args{"-c", "10.0.0.20", "-l", "10.0.0.1/16", "-d", "10.0.5.20", "-p", "10.0.5.1/24"},
            Args{"stored detector address: 10.0.5.20", "stored host address: 10.0.5.1/24"}, false,
            "10.0.5.20"},
        Readdressing{
            "6080MV",
            Args{"-c", "192.168.3.20", "-l", "192.168.3.1/24", "-d", "192.168.4.20", "-p",
                 "192.168.4.1/24"},
            Args{"stored detector address: 192.168.4.20", "stored host address: 192.168.4.1/24"},
            false, "192.168.4.20"}));

TEST_F(NetworkRoadTest, The7380RegisterFileIsRewrittenByteForByte) {
    const e2e::RunResult run =
        scratch.ipconfig({"--type", "7380", "--current_detector_ip", "192.168.37.130",
                          "--new_detector_ip", "10.0.37.132", "--new_peer_ip", "10.0.37.133"});
    ASSERT_EQ(run.status, 0) << run.err;

    const std::string expected = RegisterFile({10, 0, 37, 132}, {10, 0, 37, 133});
    ASSERT_EQ(expected.size(), 153u);
    EXPECT_EQ(expected.back(), '\x88');
    EXPECT_EQ(scratch.bench({"dump", "7380", "206"}).out, expected);

    // Back to the factory addresses: the stored file comes back exactly, checksum 0xEC.
    scratch.bench({"reboot", "7380"});
    const e2e::RunResult back = scratch.ipconfig(
        {"-t", "7380", "-c", "10.0.37.132", "-d", "192.168.37.130", "-p", "192.168.37.131"});
    ASSERT_EQ(back.status, 0) << back.err;
    const std::string factory = RegisterFile({192, 168, 37, 130}, {192, 168, 37, 131});
    EXPECT_EQ(factory.back(), '\xEC');
    EXPECT_EQ(scratch.bench({"dump", "7380", "206"}).out, factory);
}

TEST_F(NetworkRoadTest, FileFamiliesAnswerAtTheNewAddressOnlyAfterReboot) {
    struct Case {
        const char* model;
        std::vector<std::string> change;
        std::vector<std::string> again; // a second run at the new address
    };
    const Case cases[] = {
        {"6080K", Args{"-c", "192.168.0.2", "-d", "10.0.0.66"},
         Args{"-c", "10.0.0.66", "-d", "10.0.0.2"}},
        {"7380", Args{"-c", "192.168.37.130", "-d", "10.0.37.132", "-p", "10.0.37.133"},
         Args{"-c", "10.0.37.132", "-d", "192.168.37.132", "-p", "192.168.37.133"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> change{"-t", c.model};
        change.insert(change.end(), c.change.begin(), c.change.end());
        std::vector<std::string> again{"-t", c.model};
        again.insert(again.end(), c.again.begin(), c.again.end());

        ASSERT_EQ(scratch.ipconfig(change).status, 0) << c.model;
        const e2e::RunResult early = scratch.ipconfig(again);
        EXPECT_EQ(early.status, 1) << c.model;
        EXPECT_THAT(early.errLines(), ElementsAre(StartsWith(
                                          "Error - The ip address configuration process FAILED (")))
            << c.model;

        scratch.bench({"reboot", c.model});
        const e2e::RunResult late = scratch.ipconfig(again);
        EXPECT_EQ(late.status, 0) << c.model << late.err;
        EXPECT_THAT(late.outLines(), Contains(IpSucceeded)) << c.model;
    }
}

// ---- Several requests in one run.

TEST_F(NetworkRoadTest, CabledQLTakesWifiSsidAndAddressesInThatOrder) {
    const std::string password = "s3cret-pass";
    const e2e::RunResult run = scratch.ipconfig(
        {"-t", "6080QL", "-c", "192.168.1.20", "-l", "192.168.1.1/24", "-w", "false", "-i",
         "CLINIC-XR", "-o", password, "-d", "192.168.1.30", "-p", "192.168.1.1/24"});

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.errLines(), IsEmpty());
    EXPECT_THAT(run.outLines(), ElementsAre(IpValid, SsidValid, WifiValid,
                                            "Info - De-Activation  of Wifi in progress ...",
                                            "Info - The wifi configuration process SUCCEEDED",
                                            "Info - Setting of SSID in progress ...",
                                            "Info - The ssid/pwd configuration process SUCCEEDED",
                                            "Info - Please update your wifi access point settings",
                                            IpSucceeded, UpdateHint));
    const std::vector<std::string> state = State("6080QL");
    EXPECT_THAT(state, Contains("wifi switch: off"));
    EXPECT_THAT(state, Contains("last applyUserConfig over cable: yes"));
    EXPECT_THAT(state, Contains("ssid: CLINIC-XR"));
    EXPECT_THAT(state, Contains("stored detector address: 192.168.1.30"));
    EXPECT_TRUE(scratch.passwordIs("6080QL", password));
}

TEST_F(NetworkRoadTest, QLOverWifiRefusesCombinedRequestsAndChangesNothing) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> valid;
        const char* error;
    };
    const Case cases[] = {
        {{"-i", "CLINIC-XR", "-o", "s3cret-pass", "-d", "192.168.2.30", "-p", "192.168.2.1/24"},
         {IpValid, SsidValid},
         "Error - cannot operate dual ip and ssid configuration over wifi connexion, please plug "
         "detector LBX if needed"},
        {{"-w", "false", "-d", "192.168.2.30", "-p", "192.168.2.1/24"},
         {IpValid, WifiValid},
         "Error - cannot operate ip or ssid configuration in addition to wifi control over wifi "
         "connexion, please plug detector LBX if needed"},
    };
    const std::vector<std::string> before = State("4050QL");
    ASSERT_THAT(before, Contains("link: wifi"));
    for (const Case& c : cases) {
        std::vector<std::string> args{"-t", "4050QL", "-c", "192.168.2.20", "-l", "192.168.2.1/24"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const e2e::RunResult run = scratch.ipconfig(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_THAT(run.outLines(), ElementsAreArray(c.valid));
        EXPECT_THAT(run.errLines(), ElementsAre(c.error));
        EXPECT_EQ(State("4050QL"), before) << c.error;
    }
}

TEST_F(NetworkRoadTest, QLOverWifiTakesOneRequestAndTellsTheLinkToTheDetector) {
    const e2e::RunResult run = scratch.ipconfig(
        {"-t", "4050QL", "-c", "192.168.2.20", "-l", "192.168.2.1/24", "-w", "false"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.outLines(),
                ElementsAre(WifiValid, "Info - De-Activation  of Wifi in progress ...",
                            "Info - The wifi configuration process SUCCEEDED"));
    const std::vector<std::string> state = State("4050QL");
    EXPECT_THAT(state, Contains("wifi switch: off"));
    EXPECT_THAT(state, Contains("last applyUserConfig over cable: no"));
}

TEST_F(NetworkRoadTest, MVReportsWhatItReallyChanged) {
    // Same SSID as the detector's: nothing is written, and that is what is said.
    const e2e::RunResult same =
        scratch.ipconfig({"-t", "6080MV", "-c", "192.168.3.20", "-l", "192.168.3.1/24", "-i",
                          "VK-6080MV", "-o", "s3cret-pass"});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_THAT(same.outLines(), ElementsAre(SsidValid, "Info - Setting of SSID in progress ...",
                                             "Info - The ssid/pwd configuration has not been "
                                             "changed"));
    EXPECT_THAT(State("6080MV"), Contains("password: not set"));

    const e2e::RunResult changed =
        scratch.ipconfig({"-t", "6080MV", "-c", "192.168.3.20", "-l", "192.168.3.1/24", "-w",
                          "false", "-i", "WARD-9", "-o", "s3cret-pass"});
    EXPECT_EQ(changed.status, 0) << changed.err;
    EXPECT_THAT(changed.outLines(),
                ElementsAre(SsidValid, WifiValid, "Info - De-Activation  of Wifi in progress ...",
                            "Info - The wifi configuration process SUCCEEDED",
                            "Info - Setting of SSID in progress ...",
                            "Info - The ssid/pwd configuration process SUCCEEDED",
                            "Info - Please update your wifi access point settings"));
    const std::vector<std::string> state = State("6080MV");
    EXPECT_THAT(state, Contains("ssid: WARD-9"));
    EXPECT_THAT(state, Contains("wifi switch: off"));
    EXPECT_TRUE(scratch.passwordIs("6080MV", "s3cret-pass"));
}

// ---- Failures.

TEST_F(NetworkRoadTest, UnreachableDetectorFailsBeforeAnyRequest) {
    scratch.bench({"fault", "6080QL", "offline", "on"});
    const struct {
        Args args;
        const char* valid;
    } cases[] = {
        {{"-t", "6080QL", "-c", "192.168.1.20", "-l", "192.168.1.1/24", "-w", "false"}, WifiValid},
        // Nobody at that address at all.
        {{"-t", "7380", "-c", "10.0.37.132", "-d", "192.168.37.132", "-p", "192.168.37.133"},
         IpValid},
    };
    for (const auto& c : cases) {
        const e2e::RunResult run = scratch.ipconfig(c.args);
        EXPECT_EQ(run.status, 1) << c.args[1];
        EXPECT_THAT(run.outLines(), ElementsAre(c.valid)) << c.args[1];
        EXPECT_THAT(run.errLines(), ElementsAre(StartsWith(
                                        "Error - The ip address configuration process FAILED (")))
            << c.args[1];
    }
    const std::string log = scratch.readLog();
    EXPECT_THAT(log,
                HasSubstr("E DetectorIpManager::CreateDetector - Error creating the detector"));
    EXPECT_THAT(log, HasSubstr("I DetectorIpManager::DeleteDetector - Detector has been deleted"));
}

TEST_F(NetworkRoadTest, InvalidNewAddressChangesNothing) {
    const std::vector<std::string> before = State("6080QL");
    const e2e::RunResult run = scratch.ipconfig(
        {"-t", "6080QL", "-c", "192.168.1.20", "-l", "192.168.1.1/24", "-w", "false", "-i",
         "CLINIC-XR", "-o", "s3cret-pass", "-d", "172.16.0.5", "-p", "172.16.0.1/16"});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.outLines(),
                ElementsAre(IpValid, SsidValid, WifiValid,
                            "Error - new detector ip is not in the allowed VknQ2 prefix subset : "
                            "{ 192.168. ;  10.0. }"));
    EXPECT_THAT(run.errLines(), IsEmpty());
    EXPECT_EQ(State("6080QL"), before);
    EXPECT_FALSE(scratch.passwordIs("6080QL", "s3cret-pass"));

    // A 7380 address outside its pairs: the register file stays as stored.
    const std::string file = scratch.bench({"dump", "7380", "206"}).out;
    const e2e::RunResult pair = scratch.ipconfig(
        {"-t", "7380", "-c", "192.168.37.130", "-d", "10.0.37.132", "-p", "10.0.37.131"});
    EXPECT_EQ(pair.status, 1);
    EXPECT_THAT(pair.outLines(),
                ElementsAre(IpValid, "Error - incompatible new detector and new detector "
                                     "peer ip : 10.0.37.132 / 10.0.37.131"));
    EXPECT_EQ(scratch.bench({"dump", "7380", "206"}).out, file);
    EXPECT_THAT(State("7380"), Contains("pending reboot: no"));
}

TEST_F(NetworkRoadTest, NewAddressesNoHostCouldReachChangeNothing) {
    struct Case {
        const char* model;
        Args args;
        const char* valid; // the request lines before the refusal
        const char* error;
    };
    const Args ql = {"-t", "6080QL", "-c", "192.168.1.20", "-l", "192.168.1.1/24",
                     "-w", "false",  "-i", "CLINIC-XR",    "-o", "s3cret-pass"};
    auto qlWith = [&ql](const char* detector, const char* peer) {
        Args args = ql;
        args.insert(args.end(), {"-d", detector, "-p", peer});
        return args;
    };
    const Case cases[] = {
        {"6080QL", qlWith("192.168.1.1", "192.168.1.1/24"), IpValid,
         "Error - new detector and peer ip addresses cannot be the same"},
        {"6080QL", qlWith("192.168.1.0", "192.168.1.1/24"), IpValid,
         "Error - Invalid new detector ip : 192.168.1.0 is the network address of "
         "192.168.1.1/24"},
        {"6080QL", qlWith("192.168.1.255", "192.168.1.1/24"), IpValid,
         "Error - Invalid new detector ip : 192.168.1.255 is the broadcast address of "
         "192.168.1.1/24"},
        {"6080QL", qlWith("192.168.1.30", "192.168.1.255/24"), IpValid,
         "Error - Invalid new peer cidr address : 192.168.1.255/24 is the broadcast address of "
         "its subnet"},
        {"7380TW",
         {"-t", "7380TW", "-c", "10.0.0.20", "-l", "10.0.0.1/16", "-d", "10.0.0.30", "-p",
          "10.0.0.0/16"},
         IpValid,
         "Error - Invalid new peer cidr address : 10.0.0.0/16 is the network address of its "
         "subnet"},
        {"6080MV",
         {"-t", "6080MV", "-c", "192.168.3.20", "-l", "192.168.3.1/24", "-d", "192.168.3.7", "-p",
          "192.168.3.7/24"},
         IpValid,
         "Error - new detector and peer ip addresses cannot be the same"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        const std::vector<std::string> before = State(c.model);
        const e2e::RunResult run = scratch.ipconfig(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_THAT(run.errLines(), ElementsAre(c.error));
        EXPECT_THAT(run.outLines(), Contains(c.valid));
        EXPECT_THAT(run.out, Not(HasSubstr("progress")));
        EXPECT_EQ(State(c.model), before);
    }
    EXPECT_FALSE(scratch.passwordIs("6080QL", "s3cret-pass"));
}

TEST_F(NetworkRoadTest, FailingWriteIsReportedAsNotChanged) {
    struct Case {
        const char* model;
        const char* fault;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {"7380", "fail-write",
         Args{"-c", "192.168.37.130", "-d", "10.0.37.132", "-p", "10.0.37.133"}},
        {"6080K", "fail-write", Args{"-c", "192.168.0.2", "-d", "10.0.0.66"}},
        {"6080QL", "refuse-write",
         Args{"-c", "192.168.1.20", "-l", "192.168.1.1/24", "-d", "192.168.1.30", "-p",
              "192.168.1.1/24"}},
        {"7380TW", "fail-write",
         Args{"-c", "10.0.0.20", "-l", "10.0.0.1/16", "-d", "10.0.0.30", "-p", "10.0.0.1/16"}},
    };
    for (const Case& c : cases) {
        scratch.bench({"fault", c.model, c.fault, "on"});
        const std::vector<std::string> before = State(c.model);
        std::vector<std::string> args{"-t", c.model};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const e2e::RunResult run = scratch.ipconfig(args);
        EXPECT_EQ(run.status, 0) << c.model << run.err;
        EXPECT_THAT(
            run.outLines(),
            ElementsAre(IpValid, "Info - The ip address configuration has not been changed"))
            << c.model;
        EXPECT_EQ(State(c.model), before) << c.model;
    }
}

// ---- The log.

TEST_F(NetworkRoadTest, LogHoldsTheFacadeAndDetectorLinesButNeverThePassword) {
    const std::string password = "Ward7-Secret-Key";
    const e2e::RunResult run =
        scratch.ipconfig({"-t", "6080QL", "-c", "192.168.1.20", "-l", "192.168.1.1/24", "-i",
                          "WARD-7", "-o", password, "-d", "192.168.1.30", "-p", "192.168.1.1/24"});
    ASSERT_EQ(run.status, 0) << run.err;

    const std::string log = scratch.readLog();
    const std::vector<std::string> lines = e2e::splitLines(log);
    std::vector<std::string> facade;
    bool detectorLine = false;
    for (const std::string& line : lines) {
        if (line.find("DetectorIpManager::") != std::string::npos) {
            facade.push_back(line.substr(line.find(' ') + 1));
        }
        detectorLine = detectorLine || line.find(" I det : ") != std::string::npos;
    }
    EXPECT_THAT(facade,
                ElementsAre("I DetectorIpManager::CreateDetector - Board has been initialized",
                            "I DetectorIpManager::CreateDetector - Detector has been initialized",
                            "I DetectorIpManager::DeleteDetector - Detector has been deleted"));
    EXPECT_TRUE(detectorLine) << log;
    EXPECT_THAT(log, Not(HasSubstr(password)));
    EXPECT_THAT(run.out + run.err, Not(HasSubstr(password)));

    // A refused password is not echoed either.
    const e2e::RunResult refused =
        scratch.ipconfig({"-t", "6080MV", "-c", "192.168.3.20", "-l", "192.168.3.1/24", "-i",
                          "WARD-8", "-o", "Kx7-q"});
    EXPECT_EQ(refused.status, 0) << refused.err;
    EXPECT_THAT(refused.outLines(), Contains("Info - The ssid/pwd configuration has not been "
                                             "changed"));
    EXPECT_THAT(scratch.readLog(),
                HasSubstr("E DetectorIpManager::SetWifiPasswd - unable to set the ssid and "
                          "password"));
    EXPECT_THAT(scratch.readLog(), Not(HasSubstr("Kx7-q")));
}

} // namespace
