// The module road through the real program against the emulated bench: an
// infrared module on a serial port, the port walk, and the error exits.
#include "platform/tools/testing/environment.h"
#include "tests/support/program_run.h"

#include <boost/core/noncopyable.hpp>
#include <boost/filesystem.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

namespace fs = boost::filesystem;
using namespace ::testing;

const char* const ModuleCreationError =
    "Error - Can not retrieve current peer and detector IP due to module creation error.";

// The serial port table the program reads while it lives (the enumerator's
// VELKOR_SERIAL_ROOT hook), so the walk never looks at the host's own ports:
// a fake sysfs tty folder inside the scratch dir, or on Windows a registry key
// of the test's own (values in the given order).
class FakeSerialPorts : private boost::noncopyable {
public:
    FakeSerialPorts(const e2e::Scratch& scratch, const std::vector<std::string>& names) {
#ifdef _WIN32
        (void)scratch;
        key_ = "Software\\velkor-tests\\" + fs::unique_path("e2e-ports-%%%%-%%%%-%%%%").string();
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string value = "\\Device\\Serial" + std::to_string(i);
            RegSetValueExA(key, value.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(names[i].c_str()),
                           static_cast<DWORD>(names[i].size() + 1));
        }
        RegCloseKey(key);
        environment_.set("VELKOR_SERIAL_ROOT", "HKEY_CURRENT_USER\\" + key_);
#else
        const fs::path root = scratch.dir() / "sys-class-tty";
        fs::create_directories(root);
        for (const std::string& name : names) {
            fs::create_directories(root / name / "device");
        }
        environment_.set("VELKOR_SERIAL_ROOT", root.string());
#endif
    }
    ~FakeSerialPorts() {
#ifdef _WIN32
        RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
#endif
    }

private:
    tools_testing::ScopedEnvironment environment_;
#ifdef _WIN32
    std::string key_;
#endif
};

// Port names as each system writes them: the tty table's entries (listed out
// of order: the enumerator sorts them) and the device names they become, or
// the registry's values in the order the walk takes them.
struct Ports {
    std::vector<std::string> listed;
    std::string nothing, noDetector, the6080QL, the6080MV;
};

Ports WalkPorts() {
#ifdef _WIN32
    return {{"COM1", "COM4", "COM5", "COM6"}, "COM1", "COM4", "COM5", "COM6"};
#else
    return {{"ttyUSB10", "ttyUSB1", "ttyS0", "ttyUSB0"},
            "/dev/ttyS0",
            "/dev/ttyUSB0",
            "/dev/ttyUSB1",
            "/dev/ttyUSB10"};
#endif
}

class ModuleRoadTest : public ::testing::Test {
protected:
    void SetUp() override { scratch.bench({"init"}); }

    // The "label: value" lines of `velkor-bench show DETECTOR`.
    std::vector<std::string> Show(const std::string& detector) const {
        return scratch.bench({"show", detector}).outLines();
    }

    bool PasswordIs(const std::string& detector, const std::string& password) const {
        return scratch.passwordIs(detector, password);
    }

    e2e::Scratch scratch;
};

TEST_F(ModuleRoadTest, ReaddressesAndRenamesThe6080QLOnCom3) {
    const e2e::RunResult run =
        scratch.ipconfig({"-t", "6080QL", "-m", "-s", "COM3", "-d", "192.168.1.30", "-p",
                          "192.168.1.2/24", "-i", "ward-7", "-o", "s3cret-pw"});

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.errLines(), IsEmpty());
    EXPECT_THAT(run.outLines(),
                ElementsAre("Info - valid IP configuration action parameters",
                            "Info - valid SSID configuration action parameters",
                            "Info - Setting of IP in progress ...",
                            "Info - The ip address configuration process by serial port SUCCEEDED",
                            "Info - Setting of SSID in progress ...",
                            "Info - The ssid/pwd configuration process by serial port SUCCEEDED"));

    const std::vector<std::string> shown = Show("6080QL");
    EXPECT_THAT(shown, Contains("answers at: 192.168.1.30"));
    EXPECT_THAT(shown, Contains("stored detector address: 192.168.1.30"));
    EXPECT_THAT(shown, Contains("stored host address: 192.168.1.2/24"));
    EXPECT_THAT(shown, Contains("ssid: ward-7"));
    EXPECT_TRUE(PasswordIs("6080QL", "s3cret-pw"));

    const std::string log = scratch.readLog();
    EXPECT_THAT(log, HasSubstr("ModuleIpManager::CreateModule - Module has been initialized"));
    EXPECT_THAT(log, HasSubstr("ModuleIpManager::DeleteModule - Module has been deleted"));
    EXPECT_THAT(log, Not(HasSubstr("s3cret-pw")));
    EXPECT_THAT(run.out, Not(HasSubstr("s3cret-pw")));
}

TEST_F(ModuleRoadTest, Readdresses6080MVFacingAModule) {
    scratch.bench({"plug", "COM5", "6080MV"});
    const e2e::RunResult run = scratch.ipconfig(
        {"-t", "6080MV", "-m", "-s", "COM5", "-d", "192.168.3.40", "-p", "192.168.3.4/24"});

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.outLines(),
                Contains("Info - The ip address configuration process by serial port SUCCEEDED"));
    const std::vector<std::string> shown = Show("6080MV");
    EXPECT_THAT(shown, Contains("stored detector address: 192.168.3.40"));
    EXPECT_THAT(shown, Contains("stored host address: 192.168.3.4/24"));
}

TEST_F(ModuleRoadTest, ExplicitPortWithoutWorkingModuleIsAnError) {
    scratch.bench({"plug", "COM4"}); // a module facing no detector
    for (const char* port : {"COM9", "COM4"}) {
        SCOPED_TRACE(port);
        const e2e::RunResult run = scratch.ipconfig(
            {"-t", "6080QL", "-m", "-s", port, "-d", "192.168.1.30", "-p", "192.168.1.2/24"});
        EXPECT_EQ(run.status, 1);
        EXPECT_THAT(run.errLines(), ElementsAre(ModuleCreationError));
        EXPECT_THAT(run.outLines(), Not(Contains(HasSubstr("Setting of IP"))));
        EXPECT_THAT(scratch.readLog(),
                    HasSubstr("ModuleIpManager::DeleteModule - Module has been deleted"));
    }
    // The log says why the module could not be used, not only that.
    EXPECT_THAT(scratch.readLog(), HasSubstr(" I mod : detector address not read over infrared: "
                                             "the infrared module on COM4 faces no detector"));
    scratch.bench({"fault", "6080QL", "offline", "on"});
    const e2e::RunResult offline = scratch.ipconfig(
        {"-t", "6080QL", "-m", "-s", "COM3", "-d", "192.168.1.30", "-p", "192.168.1.2/24"});
    EXPECT_EQ(offline.status, 1);
    EXPECT_THAT(scratch.readLog(), HasSubstr(" I mod : detector address not read over infrared: "
                                             "no detector answers over infrared on COM3"));
    scratch.bench({"fault", "6080QL", "offline", "off"});
    EXPECT_THAT(Show("6080QL"), Contains("stored detector address: 192.168.1.20"));
}

TEST_F(ModuleRoadTest, WalkUsesTheFirstPortWithAWorkingModule) {
    // First nothing plugged, then a module facing no detector, then the
    // 6080QL's module; the 6080MV's would work too but comes later.
    const Ports walk = WalkPorts();
    scratch.bench({"unplug", "COM3"});
    scratch.bench({"plug", walk.noDetector});
    scratch.bench({"plug", walk.the6080QL, "6080QL"});
    scratch.bench({"plug", walk.the6080MV, "6080MV"});
    const FakeSerialPorts ports(scratch, walk.listed);

    const e2e::RunResult run =
        scratch.ipconfig({"-t", "6080QL", "-m", "-i", "ward-7", "-o", "s3cret-pw"});

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.errLines(), IsEmpty());
    EXPECT_THAT(run.outLines(),
                ElementsAre("Info - valid SSID configuration action parameters",
                            "Info - Using serial port <" + walk.the6080QL + "> to configure IPs.",
                            "Info - Setting of SSID in progress ...",
                            "Info - The ssid/pwd configuration process by serial port SUCCEEDED"));
    EXPECT_THAT(Show("6080QL"), Contains("ssid: ward-7"));
    EXPECT_THAT(Show("6080MV"), Not(Contains("ssid: ward-7")));
    EXPECT_TRUE(PasswordIs("6080QL", "s3cret-pw"));
}

TEST_F(ModuleRoadTest, WalkWithoutAnyWorkingModuleIsAnError) {
    // Mended: the road used to go on without a module and end with 0.
    const Ports walk = WalkPorts();
    scratch.bench({"unplug", "COM3"});
    scratch.bench({"plug", walk.noDetector});
    struct Case {
        const char* label;
        std::vector<std::string> ports;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {"no ports, ssid", {}, {"-t", "6080QL", "-m", "-i", "ward-7", "-o", "s3cret-pw"}},
        {"no module answers, ssid",
         {walk.listed[2], walk.listed[3]},
         {"-t", "6080QL", "-m", "-i", "ward-7", "-o", "s3cret-pw"}},
        {"no module answers, ip",
         {walk.listed[2], walk.listed[3]},
         {"-t", "6080QL", "-m", "-d", "192.168.1.30", "-p", "192.168.1.2/24"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const FakeSerialPorts ports(scratch, c.ports);
        const e2e::RunResult run = scratch.ipconfig(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_THAT(run.errLines(), ElementsAre(ModuleCreationError));
        EXPECT_THAT(run.outLines(), Not(Contains(HasSubstr("Using serial port"))));
        EXPECT_THAT(run.outLines(), Not(Contains(HasSubstr("in progress"))));
    }
    const std::vector<std::string> shown = Show("6080QL");
    EXPECT_THAT(shown, Contains("stored detector address: 192.168.1.20"));
    EXPECT_THAT(shown, Contains("ssid: VK-6080QL"));
}

TEST_F(ModuleRoadTest, RefusedWritesAreReportedAsNotChanged) {
    scratch.bench({"fault", "6080QL", "fail-write", "on"});
    const e2e::RunResult run =
        scratch.ipconfig({"-t", "6080QL", "-m", "-s", "COM3", "-d", "192.168.1.30", "-p",
                          "192.168.1.2/24", "-i", "ward-7", "-o", "s3cret-pw"});

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.outLines(),
                ElementsAre("Info - valid IP configuration action parameters",
                            "Info - valid SSID configuration action parameters",
                            "Info - Setting of IP in progress ...",
                            "Info - The ip address configuration has not been changed",
                            "Info - Setting of SSID in progress ...",
                            "Info - The ssid/pwd configuration has not been changed"));
    const std::string log = scratch.readLog();
    EXPECT_THAT(log, HasSubstr("IRVknQ2IpManager::IpManager::WriteConfig - error trying to write "
                               "new ip configuration"));
    EXPECT_THAT(log, HasSubstr("IRVknQ2IpManager::SSIDManager::WriteConfig - error trying to "
                               "write new ssid configuration"));
    EXPECT_THAT(log, Not(HasSubstr("s3cret-pw")));

    scratch.bench({"fault", "6080QL", "fail-write", "off"});
    const std::vector<std::string> shown = Show("6080QL");
    EXPECT_THAT(shown, Contains("stored detector address: 192.168.1.20"));
    EXPECT_THAT(shown, Contains("ssid: VK-6080QL"));
    EXPECT_FALSE(PasswordIs("6080QL", "s3cret-pw"));
}

TEST_F(ModuleRoadTest, NewAddressesNoHostCouldReachChangeNothing) {
    const std::vector<std::string> before = Show("6080QL");
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"-d", "192.168.1.1", "-p", "192.168.1.1/24"},
         "Error - new detector and peer ip addresses cannot be the same"},
        {{"-d", "192.168.1.255", "-p", "192.168.1.1/24"},
         "Error - Invalid new detector ip : 192.168.1.255 is the broadcast address of "
         "192.168.1.1/24"},
        {{"-d", "192.168.1.30", "-p", "192.168.1.0/24"},
         "Error - Invalid new peer cidr address : 192.168.1.0/24 is the network address of its "
         "subnet"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.second);
        std::vector<std::string> args = {"-t", "6080QL", "-m", "-s",       "COM3",
                                         "-i", "ward-7", "-o", "s3cret-pw"};
        args.insert(args.end(), c.first.begin(), c.first.end());
        const e2e::RunResult run = scratch.ipconfig(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_THAT(run.errLines(), ElementsAre(c.second));
        EXPECT_THAT(run.out, Not(HasSubstr("progress")));
        EXPECT_EQ(Show("6080QL"), before);
    }
    EXPECT_FALSE(PasswordIs("6080QL", "s3cret-pw"));
}

TEST_F(ModuleRoadTest, RequestsTheModuleCannotCarryAreRefused) {
    struct Case {
        const char* label;
        std::vector<std::string> args;
        std::vector<std::string> err;
    };
    const Case cases[] = {
        {"wifi activation",
         {"-t", "6080QL", "-m", "-s", "COM3", "-w", "true"},
         {"Error - invalid Wifi activation action",
          "Error - invalid module request (inconsistent parameters)"}},
        {"7380TW",
         {"-t", "7380TW", "-m", "-s", "COM3", "-d", "10.0.0.30", "-p", "10.0.0.2/16"},
         {"Error - invalid IP configuration action",
          "Error - invalid module request (inconsistent parameters)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const e2e::RunResult run = scratch.ipconfig(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.errLines(), c.err);
        EXPECT_THAT(scratch.readLog(), Not(HasSubstr("ModuleIpManager::")));
    }
    EXPECT_THAT(Show("7380TW"), Contains("answers at: 10.0.0.20"));
}

} // namespace
