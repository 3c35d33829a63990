#include "bench/store/bench_store.h"
#include "bench/testing/hand_edit.h"
#include "bench/testing/library_test.h"
#include "platform/module/module_manager.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace velkor {
namespace bench {
namespace {

namespace mod = mirl::module;

class BenchModuleTest : public testing::LibraryTest<mod::ModuleManager, mod::Module> {
protected:
    // The calls the program makes to open a module on a port.
    boost::shared_ptr<mod::Module> openOn(const std::string& port,
                                          const std::string& name = "QL_IR") {
        mod::ModuleManager& manager = mod::ModuleManager::manager();
        manager.init();
        manager.scanModules(name);
        mod::OptionGroup group;
        group.name = "hardware";
        group.options = {mod::Option{"module.serial.port", 0, port, false},
                         mod::Option{"protocol.discarded.show", 0, "no", false}};
        manager.getModuleOptionsParser(name).applyOptions(mod::OptionGroups{group}, true);
        const auto module = manager.getModule(name);
        module->setMessageCallback(
            [this](const std::string& message) { messages.push_back(message); });
        module->open();
        opened.push_back(module);
        return module;
    }

    std::string openFailure(const std::string& port) {
        return FailureOf([&] { openOn(port); });
    }

    static boost::shared_ptr<mod::SerialIRIface> serial(const boost::shared_ptr<mod::Module>& m) {
        const auto found = m->extensions.find("serial_ir");
        if (found == m->extensions.end()) {
            return boost::shared_ptr<mod::SerialIRIface>();
        }
        return boost::any_cast<boost::shared_ptr<mod::SerialIRIface>>(found->second);
    }
};

TEST_F(BenchModuleTest, ReadsTheFacingDetectorAndWritesTakeEffectAtOnce) {
    const auto ir = serial(openOn("COM3"));
    ASSERT_TRUE(ir);
    EXPECT_TRUE(ir->probe(1000));
    EXPECT_EQ("192.168.1.20", ir->readDetectorIpAddress());
    EXPECT_EQ("192.168.1.1/24", ir->readHostIpAddress());
    EXPECT_EQ("VK-6080QL", ir->readSsid());
    ir->writeIpAddresses("192.168.1.44", "192.168.1.9/24");
    ir->writeSsidAndPassword("WARD-9", "infrared-pass");
    opened.front()->close();
    const DetectorState state = *store.find("6080QL");
    EXPECT_EQ("192.168.1.44", state.address);
    EXPECT_EQ("192.168.1.9/24", state.hostAddress);
    EXPECT_EQ("WARD-9", state.ssid);
    EXPECT_TRUE(store.open("6080QL")->passwordMatches("infrared-pass"));
    const std::vector<std::string> expected = {
        "infrared module QL_IR opened on COM3, facing detector 6080QL",
        "detector address read over infrared: 192.168.1.20",
        "host address read over infrared: 192.168.1.1/24",
        "SSID read over infrared: \"VK-6080QL\"",
        "addresses written over infrared: detector 192.168.1.44, host 192.168.1.9/24; the "
        "detector answers at 192.168.1.44 now",
        "SSID \"WARD-9\" and its password written over infrared",
        "infrared module QL_IR closed",
    };
    EXPECT_EQ(expected, messages);
}

// What a hand-edited bench holds reaches the user's log escaped.
TEST_F(BenchModuleTest, MessagesEscapeTheTextsOfTheBench) {
    testing::EditRecord(scratch.root(), "6080QL", [](DetectorRecord& record) {
        record.state.storedAddress = "\x1B]0;t\a";
        record.state.hostAddress = "\xC2\x9B"
                                   "1m";
    });
    testing::AddByHand(scratch.root(), "6080MV", "Q\x1B[5m", "192.168.9.20", "COM5", "Q\x1B[5m");
    EXPECT_EQ("no infrared module is plugged on COM\\x1B[4m", openFailure("COM\x1B[4m"));
    const auto ir = serial(openOn("COM3"));
    EXPECT_EQ("\x1B]0;t\a", ir->readDetectorIpAddress());
    EXPECT_EQ("\xC2\x9B"
              "1m",
              ir->readHostIpAddress());
    openOn("COM5", "MV_IR");
    const std::vector<std::string> expected = {
        "open failed: no infrared module is plugged on COM\\x1B[4m",
        "infrared module QL_IR opened on COM3, facing detector 6080QL",
        "detector address read over infrared: \\x1B]0;t\\x07",
        "host address read over infrared: \\xC2\\x9B1m",
        "infrared module MV_IR opened on COM5, facing detector Q\\x1B[5m",
    };
    EXPECT_EQ(expected, messages);
}

TEST_F(BenchModuleTest, OpenFailsWhenNoModuleIsPluggedOnThePort) {
    EXPECT_EQ("no infrared module is plugged on COM4", openFailure("COM4"));
    EXPECT_EQ(std::vector<std::string>{"open failed: no infrared module is plugged on COM4"},
              messages);
    testing::ScratchBench empty;
    EXPECT_EQ("no infrared module is plugged on COM3 (the bench at " + empty.root().string() +
                  " is empty: velkor-bench init sets one up)",
              openFailure("COM3"));
}

TEST_F(BenchModuleTest, AModuleFacingNoDetectorOpensButCannotReach) {
    store.plug("/dev/ttyUSB0", "");
    const auto ir = serial(openOn("/dev/ttyUSB0", "MV_IR"));
    ASSERT_TRUE(ir);
    EXPECT_FALSE(ir->probe(1000));
    try {
        ir->readDetectorIpAddress();
        FAIL() << "read an address from nowhere";
    } catch (const std::exception& error) {
        EXPECT_STREQ("the infrared module on /dev/ttyUSB0 faces no detector", error.what());
    }
    EXPECT_THROW(ir->writeIpAddresses("192.168.1.2", "192.168.1.1/24"), std::exception);
}

TEST_F(BenchModuleTest, FaultsOfTheFacingDetectorShowOverInfrared) {
    store.open("6080QL")->setFault("offline", true);
    auto ir = serial(openOn("COM3"));
    EXPECT_FALSE(ir->probe(1000));
    // A failed read tells its user why, as a failed write does.
    messages.clear();
    EXPECT_THROW(ir->readDetectorIpAddress(), std::exception);
    EXPECT_THROW(ir->readHostIpAddress(), std::exception);
    EXPECT_THROW(ir->readSsid(), std::exception);
    EXPECT_EQ((std::vector<std::string>{
                  "detector address not read over infrared: no detector answers over infrared "
                  "on COM3",
                  "host address not read over infrared: no detector answers over infrared on COM3",
                  "SSID not read over infrared: no detector answers over infrared on COM3"}),
              messages);
    opened.back()->close();
    {
        auto session = store.open("6080QL");
        session->setFault("offline", false);
        session->setFault("fail-write", true);
    }
    ir = serial(openOn("COM3"));
    EXPECT_THROW(ir->writeIpAddresses("192.168.1.44", "192.168.1.9/24"), std::exception);
    EXPECT_THROW(ir->writeSsidAndPassword("WARD-9", "infrared-pass"), std::exception);
    opened.back()->close();
    EXPECT_EQ("192.168.1.20", store.find("6080QL")->address);
    EXPECT_FALSE(store.open("6080QL")->passwordSet());
    store.open("6080QL")->setFault("missing:serial_ir", true);
    EXPECT_FALSE(serial(openOn("COM3")));
}

TEST_F(BenchModuleTest, AHostAddressWithoutPrefixIsRefusedOverInfrared) {
    const auto ir = serial(openOn("COM3"));
    EXPECT_THROW(ir->writeIpAddresses("192.168.1.44", "192.168.1.9"), std::exception);
    EXPECT_EQ("192.168.1.1/24", ir->readHostIpAddress());
}

TEST_F(BenchModuleTest, TheFacingDetectorIsHeldWhileTheModuleIsOpen) {
    openOn("COM3");
    EXPECT_THROW(store.open("6080QL", std::chrono::milliseconds(50)), std::exception);
    opened.front()->close();
    EXPECT_NO_THROW(store.open("6080QL", std::chrono::milliseconds(50)));
}

TEST_F(BenchModuleTest, OnlyKnownModuleNamesAndOptionsAreTaken) {
    mod::ModuleManager& manager = mod::ModuleManager::manager();
    manager.init();
    try {
        manager.scanModules("XX_IR");
        FAIL() << "scanned an unknown module";
    } catch (const std::exception& error) {
        EXPECT_STREQ("unknown module name \"XX_IR\" (known: QL_IR, MV_IR)", error.what());
    }
    EXPECT_FALSE(manager.getModule("QL_IR"));
    manager.scanModules("QL_IR");
    mod::OptionGroup group;
    group.name = "hardware";
    group.options = {mod::Option{"module.baud.rate", 0, "9600", false}};
    EXPECT_THROW(manager.getModuleOptionsParser("QL_IR").applyOptions({group}, true),
                 std::exception);
    try {
        manager.getModule("QL_IR")->open();
        FAIL() << "opened without a port";
    } catch (const std::exception& error) {
        EXPECT_STREQ("option module.serial.port is not set for module QL_IR", error.what());
    }
}

} // namespace
} // namespace bench
} // namespace velkor
