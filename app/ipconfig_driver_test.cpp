#include "app/ipconfig_driver.h"
#include "platform/tools/logger.h"
#include "platform/tools/testing/scratch_folder.h"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>
#include <boost/filesystem.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = boost::filesystem;
using namespace ::testing;

namespace {

class MockDetectorAccess : public DetectorAccessIface {
public:
    MOCK_METHOD(void, CreateDetector, (DetectorType, const std::string&, const std::string&),
                (override));
    MOCK_METHOD(bool, IsConnectedByCable, (), (override));
    MOCK_METHOD(bool, SetWifiEnable, (bool), (override));
    MOCK_METHOD(bool, SetWifiPasswd, (const std::string&, const std::string&), (override));
    MOCK_METHOD(bool, SetHostAndDetectorIPAddress, (const std::string&, const std::string&),
                (override));
    MOCK_METHOD(void, DeleteDetector, (), (override));
};

class MockModuleAccess : public ModuleAccessIface {
public:
    MOCK_METHOD(std::vector<std::string>, GetSerialPorts, (), (override));
    MOCK_METHOD(void, CreateModule, (int, const std::string&), (override));
    MOCK_METHOD(std::string, GetDetectorIPAddress, (), (override));
    MOCK_METHOD(std::string, GetHostIPAddress, (), (override));
    MOCK_METHOD(bool, SetHostAndDetectorIPAddress, (const std::string&, const std::string&),
                (override));
    MOCK_METHOD(bool, SetWifiPasswd, (const std::string&, const std::string&), (override));
    MOCK_METHOD(void, DeleteModule, (), (override));
};

// Every test runs the driver with strict fakes and a log file in a fresh folder.
class IpConfigDriverTest : public ::testing::Test {
protected:
    ~IpConfigDriverTest() override { mirl::tools::logger::manager().clear(); }

    int Run(const std::vector<std::string>& words) {
        std::vector<const char*> argv = {"velkor-ipconfig-cmd"};
        for (const std::string& word : words) {
            argv.push_back(word.c_str());
        }
        IpConfigDriver driver(out_, err_, detector_, module_, LogFile().string());
        return driver.Run(static_cast<int>(argv.size()), argv.data());
    }

    fs::path LogFile() const { return scratch_.dir() / "velkor-ipconfig-cmd.log"; }
    std::string ReadLog() const {
        std::ifstream file(LogFile().string());
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    std::string OptionTable() const {
        CommandLine commandLine;
        std::ostringstream text;
        text << commandLine.Options();
        return text.str();
    }

    tools_testing::ScratchFolder scratch_{"velkor-driver"};
    std::ostringstream out_;
    std::ostringstream err_;
    ::testing::StrictMock<MockDetectorAccess> detector_;
    ::testing::StrictMock<MockModuleAccess> module_;
};

// ---- before the roads ----------------------------------------------------

TEST_F(IpConfigDriverTest, EarlyExits) {
    using Args = std::vector<std::string>;
    struct Case {
        Args words;
        bool table;
        std::string err;
    };
    const std::vector<Case> cases = {
        {Args{}, true, "Error - Detector type must specified.\n"},
        {Args{"-t", ""}, true, "Error - Detector type must specified.\n"},
        {Args{"-c", "10.0.0.2"}, true, "Error - Detector type must specified.\n"},
        {Args{"-t", "9999"}, false, "Error - Invalid detector type : 9999\n"},
        {Args{"-t", "6080k", "-c", "10.0.0.2", "-d", "10.0.0.66"}, false,
         "Error - Invalid detector type : 6080k\n"},
        {Args{"-t", "7380"}, true, "Error - no request specified\n"},
        {Args{"-t", "7380", "-c", "192.168.37.130", "-s", "COM3", "-d", ""}, true,
         "Error - no request specified\n"},
        {Args{"-t", "7380", "--bogus"}, true,
         "Error - Bad invocation of command line : unrecognised option '--bogus'\n"},
        {Args{"-t", "6080K", "-c", "10.0.0.2", "-l", "192.168.0.10", "-d", "10.0.0.66"}, false,
         "Error - invalid IP configuration action parameters\n"
         "\t--> A forbidden parameter should not be present : Current peer IP\n"
         "Error - invalid detector request (inconsistent parameters)\n"},
        {Args{"-t", "6080QL", "-m", "-w", "true"}, false,
         "Error - invalid Wifi activation action\n"
         "Error - invalid module request (inconsistent parameters)\n"},
        {Args{"-t", "6080K", "-p", "10.0.0.1"}, false,
         "Error - invalid detector request (inconsistent parameters)\n"},
        {Args{"-t", "6080QL", "-i", "", "-o", "secret"}, false,
         "Error - invalid SSID configuration action parameters\n"
         "\t--> A mandatory parameter should be present : New SSID\n"
         "Error - invalid detector request (inconsistent parameters)\n"},
    };
    for (const Case& c : cases) {
        out_.str("");
        err_.str("");
        EXPECT_EQ(Run(c.words), 1) << c.err;
        EXPECT_EQ(out_.str(), c.table ? OptionTable() : "") << c.err;
        EXPECT_EQ(err_.str(), c.err);
    }
}

TEST_F(IpConfigDriverTest, HelpWinsOverEverythingAndStillRecreatesTheLog) {
    {
        std::ofstream old(LogFile().string());
        old << "old run\n";
    }
    EXPECT_EQ(Run({"-t", "9999", "--help", "-d", "1.2.3.4"}), 1);
    EXPECT_EQ(out_.str(), OptionTable() + "\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_TRUE(fs::exists(LogFile()));
    EXPECT_EQ(ReadLog(), "");
}

TEST_F(IpConfigDriverTest, LogThatCannotBeRemovedEndsTheRun) {
    fs::create_directory(LogFile());
    EXPECT_EQ(Run({"-t", "7380"}), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), "Error - Can not remove the previous log file " + LogFile().string() +
                              " : Is a directory\n");
    EXPECT_TRUE(fs::is_directory(LogFile()));
}

// Without a log the run stops before the command line is read: the strict
// fakes fail the test on any call into a road.
TEST_F(IpConfigDriverTest, LogThatCannotBeCreatedEndsTheRunBeforeTheCommandLine) {
    const fs::path missing = scratch_.dir() / "gone" / "velkor-ipconfig-cmd.log";
    const std::vector<std::vector<std::string>> invocations = {
        {"-t", "7380", "-c", "192.168.37.130", "-d", "10.0.37.132", "-p", "10.0.37.133"},
        {"-t", "6080QL", "-m", "-s", "COM3", "-i", "net", "-o", "password1"},
        {"-t", "7380", "--bogus"},
        {"--help"},
    };
    for (const auto& words : invocations) {
        out_.str("");
        err_.str("");
        std::vector<const char*> argv = {"velkor-ipconfig-cmd"};
        for (const std::string& word : words) {
            argv.push_back(word.c_str());
        }
        IpConfigDriver driver(out_, err_, detector_, module_, missing.string());
        EXPECT_EQ(driver.Run(static_cast<int>(argv.size()), argv.data()), 1) << words[0];
        EXPECT_EQ(out_.str(), "") << words[0];
        EXPECT_EQ(err_.str(), "Error - Can not create the log file " + missing.string() +
                                  " : No such file or directory\n")
            << words[0];
    }
}

// ---- network road --------------------------------------------------------

TEST_F(IpConfigDriverTest, NetworkRoadCarriesOutWifiThenSsidThenIpOverCable) {
    {
        InSequence order;
        EXPECT_CALL(detector_, CreateDetector(VknQ2, "192.168.1.10", "192.168.1.1"));
        EXPECT_CALL(detector_, IsConnectedByCable()).WillOnce(Return(true));
        EXPECT_CALL(detector_, SetWifiEnable(true)).WillOnce(Return(true));
        EXPECT_CALL(detector_, SetWifiPasswd("net", "secret")).WillOnce(Return(true));
        EXPECT_CALL(detector_, SetHostAndDetectorIPAddress("10.0.0.1/16", "10.0.0.5"))
            .WillOnce(Return(true));
        EXPECT_CALL(detector_, DeleteDetector());
    }
    EXPECT_EQ(Run({"-t", "4050QL", "-c", "192.168.1.10", "-l", "192.168.1.1/24", "-d", "10.0.0.5",
                   "-p", "10.0.0.1/16", "-i", "net", "-o", "secret", "-w", "yes"}),
              0);
    EXPECT_EQ(err_.str(), "");
    EXPECT_EQ(out_.str(),
              "Info - valid IP configuration action parameters\n"
              "Info - valid SSID configuration action parameters\n"
              "Info - valid Wifi activation action parameters\n"
              "Info - Activation  of Wifi in progress ...\n"
              "Info - The wifi configuration process SUCCEEDED\n"
              "Info - Setting of SSID in progress ...\n"
              "Info - The ssid/pwd configuration process SUCCEEDED\n"
              "Info - Please update your wifi access point settings\n"
              "Info - The ip address configuration process SUCCEEDED\n"
              "Info - Please update the IP address of the host in the network configuration "
              "settings (if needed)\n");
    EXPECT_EQ(out_.str().find("secret"), std::string::npos);
}

TEST_F(IpConfigDriverTest, NetworkRoadReportsUnchangedSettingsAndStillEndsWell) {
    {
        InSequence order;
        EXPECT_CALL(detector_, CreateDetector(Vk6080MV, "10.0.1.5", "10.0.0.1"));
        EXPECT_CALL(detector_, IsConnectedByCable()).WillOnce(Return(true));
        EXPECT_CALL(detector_, SetWifiEnable(false)).WillOnce(Return(false));
        EXPECT_CALL(detector_, SetWifiPasswd("net", "pw")).WillOnce(Return(false));
        EXPECT_CALL(detector_, DeleteDetector());
    }
    EXPECT_EQ(Run({"-t", "6080MV", "-c", "10.0.1.5", "-l", "10.0.0.1/16", "-i", "net", "-o", "pw",
                   "-w", "0"}),
              0);
    EXPECT_EQ(out_.str(), "Info - valid SSID configuration action parameters\n"
                          "Info - valid Wifi activation action parameters\n"
                          "Info - De-Activation  of Wifi in progress ...\n"
                          "Info - The wifi configuration has not been changed\n"
                          "Info - Setting of SSID in progress ...\n"
                          "Info - The ssid/pwd configuration has not been changed\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(IpConfigDriverTest, NetworkRoadIpResultLinesPerFamily) {
    struct Case {
        const char* words; // split at each blank
        DetectorType type;
        std::string detectorIp;
        std::string peerIp;
        std::string newPeer;
        std::string newDetector;
        bool changed;
        std::string lines;
    };
    const std::string reboot = "Info - The ip address configuration process SUCCEEDED\n"
                               "Info - Please reboot your detector and update the IP address of "
                               "the host in the network configuration settings\n";
    const std::vector<Case> cases = {
        {"-t 7380 -c 192.168.37.130 -d 10.0.37.132 -p 10.0.37.133", Vk7x80, "192.168.37.130", "",
         "10.0.37.133", "10.0.37.132", true, reboot},
        {"-t 6080K -c 192.168.0.2 -d 10.0.0.66", Vk6080K, "192.168.0.2", "", "", "10.0.0.66", true,
         reboot},
        {"-t 7380TW -c 192.168.1.10 -l 192.168.1.1/24 -d 192.168.2.10 -p 192.168.2.1/24", Vk7380TW,
         "192.168.1.10", "192.168.1.1", "192.168.2.1/24", "192.168.2.10", false,
         "Info - The ip address configuration has not been changed\n"},
    };
    for (const Case& c : cases) {
        out_.str("");
        InSequence order;
        EXPECT_CALL(detector_, CreateDetector(c.type, c.detectorIp, c.peerIp));
        EXPECT_CALL(detector_, IsConnectedByCable()).WillOnce(Return(true));
        EXPECT_CALL(detector_, SetHostAndDetectorIPAddress(c.newPeer, c.newDetector))
            .WillOnce(Return(c.changed));
        EXPECT_CALL(detector_, DeleteDetector());
        std::vector<std::string> words;
        boost::split(words, c.words, boost::is_any_of(" "));
        EXPECT_EQ(Run(words), 0) << c.words;
        EXPECT_EQ(out_.str(), "Info - valid IP configuration action parameters\n" + c.lines)
            << c.words;
        ::testing::Mock::VerifyAndClearExpectations(&detector_);
    }
    EXPECT_EQ(err_.str(), "");
}

TEST_F(IpConfigDriverTest, NetworkRoadOverWifiRefusesCombinations) {
    const std::string dual = "Error - cannot operate dual ip and ssid configuration over wifi "
                             "connexion, please plug detector LBX if needed\n";
    const std::string withWifi =
        "Error - cannot operate ip or ssid configuration in addition to wifi control over wifi "
        "connexion, please plug detector LBX if needed\n";
    const std::vector<std::string> current = {"-t",           "6080QL", "-c",
                                              "192.168.1.10", "-l",     "192.168.1.1/24"};
    const std::vector<std::string> ip = {"-d", "192.168.1.20", "-p", "192.168.1.1/24"};
    const std::vector<std::string> ssid = {"-i", "net", "-o", "pw"};
    const std::vector<std::string> wifi = {"-w", "false"};
    struct Case {
        std::vector<std::vector<std::string>> parts;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{ip, ssid}, dual},
        {{ip, ssid, wifi}, dual},
        {{ip, wifi}, withWifi},
        {{ssid, wifi}, withWifi},
    };
    for (const Case& c : cases) {
        err_.str("");
        std::vector<std::string> words = current;
        for (const auto& part : c.parts) {
            words.insert(words.end(), part.begin(), part.end());
        }
        EXPECT_CALL(detector_, CreateDetector(VknQ2, "192.168.1.10", "192.168.1.1"));
        EXPECT_CALL(detector_, IsConnectedByCable()).WillOnce(Return(false));
        EXPECT_EQ(Run(words), 1);
        EXPECT_EQ(err_.str(), c.err);
        ::testing::Mock::VerifyAndClearExpectations(&detector_);
    }
}

TEST_F(IpConfigDriverTest, NetworkRoadOverWifiCarriesOutASingleAction) {
    {
        InSequence order;
        EXPECT_CALL(detector_, CreateDetector(VknQ2, "192.168.1.10", "192.168.1.1"));
        EXPECT_CALL(detector_, IsConnectedByCable()).WillOnce(Return(false));
        EXPECT_CALL(detector_, SetWifiEnable(false)).WillOnce(Return(false));
        EXPECT_CALL(detector_, DeleteDetector());
    }
    EXPECT_EQ(Run({"-t", "6080QL", "-c", "192.168.1.10", "-l", "192.168.1.1/24", "-w", "off"}), 0);
    EXPECT_EQ(out_.str(), "Info - valid Wifi activation action parameters\n"
                          "Info - De-Activation  of Wifi in progress ...\n"
                          "Info - The wifi configuration has not been changed\n");
}

TEST_F(IpConfigDriverTest, NetworkRoadChecksNewAddressesBeforeChangingAnything) {
    struct Case {
        std::string newDetector;
        std::string newPeer;
        std::string out;
        std::string err;
    };
    const std::vector<Case> cases = {
        {"172.16.0.5", "172.16.0.1/16",
         "Error - new detector ip is not in the allowed VknQ2 prefix subset : "
         "{ 192.168. ;  10.0. }\n",
         ""},
        {"192.168.2.5", "192.168.3.1/24", "",
         "Error - Invalid output subnet configuration : 192.168.2.5 doesn't match "
         "192.168.3.1/24\n"},
    };
    for (const Case& c : cases) {
        out_.str("");
        err_.str("");
        // Only the opening: no Wi-Fi, SSID or address write may follow.
        EXPECT_CALL(detector_, CreateDetector(VknQ2, "192.168.1.10", "192.168.1.1"));
        EXPECT_CALL(detector_, IsConnectedByCable()).WillOnce(Return(true));
        EXPECT_EQ(Run({"-t", "6080QL", "-c", "192.168.1.10", "-l", "192.168.1.1/24", "-d",
                       c.newDetector, "-p", c.newPeer, "-i", "net", "-o", "pw", "-w", "on"}),
                  1);
        EXPECT_EQ(out_.str(), "Info - valid IP configuration action parameters\n"
                              "Info - valid SSID configuration action parameters\n"
                              "Info - valid Wifi activation action parameters\n" +
                                  c.out);
        EXPECT_EQ(err_.str(), c.err);
        ::testing::Mock::VerifyAndClearExpectations(&detector_);
    }
}

TEST_F(IpConfigDriverTest, NetworkRoadRejectsBadConnectionSettingsBeforeOpening) {
    EXPECT_EQ(Run({"-t", "7380TW", "-c", "192.168.1.11", "-l", "192.168.1.10", "-d", "192.168.1.20",
                   "-p", "192.168.1.1/24"}),
              1);
    EXPECT_EQ(err_.str(), "Error - Invalid current peer cidr address : 192.168.1.10\n"
                          "Error - invalid detector connection settings\n");
}

TEST_F(IpConfigDriverTest, NetworkRoadTurnsExceptionsIntoFailedLines) {
    const std::vector<std::string> words = {"-t", "7180",           "-c", "192.168.37.130",
                                            "-d", "192.168.37.132", "-p", "192.168.37.133"};
    EXPECT_CALL(detector_, CreateDetector(Vk7x80, "192.168.37.130", ""))
        .WillOnce(Throw(std::runtime_error("no answer from 192.168.37.130")));
    EXPECT_EQ(Run(words), 1);
    EXPECT_EQ(err_.str(), "Error - The ip address configuration process FAILED (no answer from "
                          "192.168.37.130).\n");
    ::testing::Mock::VerifyAndClearExpectations(&detector_);

    err_.str("");
    EXPECT_CALL(detector_, CreateDetector(Vk7x80, "192.168.37.130", ""));
    EXPECT_CALL(detector_, IsConnectedByCable()).WillOnce(Return(true));
    EXPECT_CALL(detector_, SetHostAndDetectorIPAddress(_, _)).WillOnce(Throw(42));
    EXPECT_EQ(Run(words), 1);
    EXPECT_EQ(err_.str(), "Error - The ip address configuration process FAILED\n");
}

// ---- module road ---------------------------------------------------------

TEST_F(IpConfigDriverTest, ModuleRoadOnAGivenPortWritesIpThenSsid) {
    {
        InSequence order;
        EXPECT_CALL(module_, CreateModule(0, "COM3"));
        EXPECT_CALL(module_, GetDetectorIPAddress()).WillOnce(Return("192.168.1.10"));
        EXPECT_CALL(module_, GetHostIPAddress()).WillOnce(Return("192.168.1.1/24"));
        EXPECT_CALL(module_, SetHostAndDetectorIPAddress("10.0.0.1/16", "10.0.0.5"))
            .WillOnce(Return(true));
        EXPECT_CALL(module_, SetWifiPasswd("net", "pw")).WillOnce(Return(false));
        EXPECT_CALL(module_, DeleteModule());
    }
    EXPECT_EQ(Run({"-t", "6080MV", "-m", "-s", "COM3", "-d", "10.0.0.5", "-p", "10.0.0.1/16", "-i",
                   "net", "-o", "pw"}),
              0);
    EXPECT_EQ(out_.str(), "Info - valid IP configuration action parameters\n"
                          "Info - valid SSID configuration action parameters\n"
                          "Info - Setting of IP in progress ...\n"
                          "Info - The ip address configuration process by serial port "
                          "SUCCEEDED\n"
                          "Info - Setting of SSID in progress ...\n"
                          "Info - The ssid/pwd configuration has not been changed\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(IpConfigDriverTest, ModuleRoadGivenPortWithoutModule) {
    EXPECT_CALL(module_, CreateModule(0, "COM9")).WillOnce(Throw(std::runtime_error("")));
    EXPECT_EQ(Run({"-t", "6080QL", "-m", "-s", "COM9", "-i", "net", "-o", "pw"}), 1);
    EXPECT_EQ(err_.str(),
              "Error - Can not retrieve current peer and detector IP due to module creation "
              "error.\n");
}

TEST_F(IpConfigDriverTest, ModuleRoadWalksThePortsUntilOneOpens) {
    {
        InSequence order;
        EXPECT_CALL(module_, GetSerialPorts())
            .WillOnce(Return(std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyS1"}));
        EXPECT_CALL(module_, CreateModule(0, "/dev/ttyS0")).WillOnce(Throw(7));
        EXPECT_CALL(module_, CreateModule(0, "/dev/ttyUSB0"));
        EXPECT_CALL(module_, SetWifiPasswd("net", "pw")).WillOnce(Return(true));
        EXPECT_CALL(module_, DeleteModule());
    }
    EXPECT_EQ(Run({"-t", "6080QL", "-m", "-i", "net", "-o", "pw"}), 0);
    EXPECT_EQ(out_.str(), "Info - valid SSID configuration action parameters\n"
                          "Info - Using serial port </dev/ttyUSB0> to configure IPs.\n"
                          "Info - Setting of SSID in progress ...\n"
                          "Info - The ssid/pwd configuration process by serial port SUCCEEDED\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(IpConfigDriverTest, ModuleRoadWithoutAnyWorkingPortStops) {
    const std::string error =
        "Error - Can not retrieve current peer and detector IP due to module creation error.\n";
    EXPECT_CALL(module_, GetSerialPorts()).WillOnce(Return(std::vector<std::string>{}));
    EXPECT_EQ(Run({"-t", "6080QL", "-m", "-i", "net", "-o", "pw"}), 1);
    EXPECT_EQ(out_.str(), "Info - valid SSID configuration action parameters\n");
    EXPECT_EQ(err_.str(), error);
    ::testing::Mock::VerifyAndClearExpectations(&module_);

    out_.str("");
    err_.str("");
    EXPECT_CALL(module_, GetSerialPorts())
        .WillOnce(Return(std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS1"}));
    EXPECT_CALL(module_, CreateModule(0, _)).Times(2).WillRepeatedly(Throw(std::runtime_error("")));
    EXPECT_EQ(Run({"-t", "6080MV", "-m", "-d", "10.0.0.5", "-p", "10.0.0.1/16"}), 1);
    EXPECT_EQ(out_.str(), "Info - valid IP configuration action parameters\n");
    EXPECT_EQ(err_.str(), error);
}

TEST_F(IpConfigDriverTest, ModuleRoadChecksAddressesReadFromTheDetector) {
    // The SSID change comes after the failed address check and never happens.
    EXPECT_CALL(module_, CreateModule(0, "COM3"));
    EXPECT_CALL(module_, GetDetectorIPAddress()).WillOnce(Return("invalid"));
    EXPECT_CALL(module_, GetHostIPAddress()).WillOnce(Return("invalid"));
    EXPECT_EQ(Run({"-t", "6080QL", "-m", "-s", "COM3", "-d", "10.0.0.5", "-p", "10.0.0.1/16", "-i",
                   "net", "-o", "pw"}),
              1);
    EXPECT_EQ(err_.str(), "Error - Invalid current detector ip : invalid\n");
    ::testing::Mock::VerifyAndClearExpectations(&module_);

    out_.str("");
    err_.str("");
    EXPECT_CALL(module_, CreateModule(0, "COM3"));
    EXPECT_CALL(module_, GetDetectorIPAddress()).WillOnce(Return("192.168.1.10"));
    EXPECT_CALL(module_, GetHostIPAddress()).WillOnce(Return("192.168.1.1/24"));
    EXPECT_EQ(Run({"-t", "6080QL", "-m", "-s", "COM3", "-d", "172.16.0.5", "-p", "172.16.0.1/16"}),
              1);
    EXPECT_EQ(out_.str(), "Info - valid IP configuration action parameters\n"
                          "Error - new detector ip is not in the allowed VknQ2 prefix subset : "
                          "{ 192.168. ;  10.0. }\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(IpConfigDriverTest, ModuleRoadTurnsExceptionsIntoFailedLine) {
    EXPECT_CALL(module_, CreateModule(0, "COM3"));
    EXPECT_CALL(module_, GetDetectorIPAddress()).WillOnce(Throw(std::runtime_error("lost")));
    EXPECT_EQ(Run({"-t", "6080QL", "-m", "-s", "COM3", "-d", "10.0.0.5", "-p", "10.0.0.1/16"}), 1);
    EXPECT_EQ(err_.str(), "Error - The ip address configuration process by serial port FAILED.\n");
}

} // namespace
