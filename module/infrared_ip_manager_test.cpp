#include "module/ir_vk6080mv_ip_manager.h"
#include "module/ir_vkn_q2_ip_manager.h"
#include "platform/module/testing/mock_serial_ir.h"
#include "platform/tools/testing/log_capture.h"

#include <boost/any.hpp>
#include <boost/make_shared.hpp>
#include <boost/weak_ptr.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <typeinfo>

namespace {

using module_testing::MockSerialIR;
using namespace ::testing;
using tools_testing::LogCapture;

// Expected texts, written out in full for each kind.
struct NQ2 {
    using Manager = IRVknQ2IpManager;
    static constexpr const char* moduleName = "QL_IR";
    static constexpr const char* initError =
        "E IRVknQ2IpManager::Init - impossible to retrieve module's infrared serial extension";
    static constexpr const char* ipWriteError =
        "E IRVknQ2IpManager::IpManager::WriteConfig - error trying to write new ip configuration";
    static constexpr const char* ssidUnsetWarning =
        "W IRVknQ2IpManager::SSIDManager::WriteConfig - new ssid/pwd have not been properly set";
    static constexpr const char* ssidWriteError = "E IRVknQ2IpManager::SSIDManager::WriteConfig - "
                                                  "error trying to write new ssid configuration";
};

struct MV {
    using Manager = IRVk6080MVIpManager;
    static constexpr const char* moduleName = "MV_IR";
    static constexpr const char* initError =
        "E IRVk6080MVIpManager::Init - impossible to retrieve module's infrared serial extension";
    static constexpr const char* ipWriteError = "E IRVk6080MVIpManager::IpManager::WriteConfig - "
                                                "error trying to write new ip configuration";
    static constexpr const char* ssidUnsetWarning =
        "W IRVk6080MVIpManager::SSIDManager::WriteConfig - new ssid/pwd have not been properly set";
    // The one message that starts with a blank after the level mark.
    static constexpr const char* ssidWriteError = "E  IRVk6080MVIpManager::SSIDManager::"
                                                  "WriteConfig - error trying to write new ssid "
                                                  "configuration";
};

class StubModule : public mirl::module::Module {
public:
    void setMessageCallback(const mirl::module::MessageCallback&) override {}
    void open() override {}
    void close() override {}
};

template <typename Kind> class InfraredIpManagerTest : public ::testing::Test {
protected:
    InfraredIpManagerTest()
        : serial(boost::make_shared<StrictMock<MockSerialIR>>()),
          module(boost::make_shared<StubModule>()), manager(boost::make_shared<Manager>()) {}

    using Manager = typename Kind::Manager;

    void InitWithSerial() {
        module->extensions["serial_ir"] = boost::shared_ptr<mirl::module::SerialIRIface>(serial);
        manager->Init(module);
    }

    LogCapture log;
    boost::shared_ptr<StrictMock<MockSerialIR>> serial;
    boost::shared_ptr<StubModule> module;
    boost::shared_ptr<Manager> manager;
};

using Kinds = ::testing::Types<NQ2, MV>;
TYPED_TEST_SUITE(InfraredIpManagerTest, Kinds);

TYPED_TEST(InfraredIpManagerTest, NamesItsModule) {
    EXPECT_EQ(this->manager->GetModuleName(), TypeParam::moduleName);
}

TYPED_TEST(InfraredIpManagerTest, ModuleOptionsAreOneHardwareGroup) {
    mirl::module::OptionGroups groups;
    this->manager->GetModuleOptions(groups, "COM7");

    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].name, "hardware");
    EXPECT_EQ(groups[0].id, 0);
    ASSERT_EQ(groups[0].options.size(), 2u);
    EXPECT_EQ(groups[0].options[0].name, "module.serial.port");
    EXPECT_EQ(groups[0].options[0].value, "COM7");
    EXPECT_EQ(groups[0].options[1].name, "protocol.discarded.show");
    EXPECT_EQ(groups[0].options[1].value, "no");
    for (const auto& option : groups[0].options) {
        EXPECT_EQ(option.id, 0) << option.name;
        EXPECT_FALSE(option.flag) << option.name;
    }
}

TYPED_TEST(InfraredIpManagerTest, ModuleOptionsGoAfterExistingGroups) {
    mirl::module::OptionGroups groups(1);
    groups[0].name = "earlier";
    this->manager->GetModuleOptions(groups, "/dev/ttyUSB0");

    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].name, "earlier");
    EXPECT_THAT(groups[0].options, IsEmpty());
    EXPECT_EQ(groups[1].name, "hardware");
    ASSERT_EQ(groups[1].options.size(), 2u);
    EXPECT_EQ(groups[1].options[0].value, "/dev/ttyUSB0");
}

TYPED_TEST(InfraredIpManagerTest, NoSubManagersBeforeInit) {
    EXPECT_FALSE(this->manager->GetIpManager());
    EXPECT_FALSE(this->manager->GetSSIDManager());
    // Nothing to probe yet: no call, no crash.
    EXPECT_FALSE(this->manager->ProbeModule());
}

TYPED_TEST(InfraredIpManagerTest, InitWithoutUsableExtensionThrows) {
    struct Case {
        const char* label;
        bool present;
        boost::shared_ptr<mirl::module::SerialIRIface> value;
    };
    const Case cases[] = {
        {"absent", false, nullptr},
        {"empty pointer", true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        this->log.Clear();
        auto module = boost::make_shared<StubModule>();
        if (c.present) {
            module->extensions["serial_ir"] = c.value;
        }
        auto manager = boost::make_shared<typename TypeParam::Manager>();
        try {
            manager->Init(module);
            ADD_FAILURE() << "Init did not throw";
        } catch (const std::exception& error) {
            EXPECT_TRUE(typeid(error) == typeid(std::exception)) << typeid(error).name();
        }
        EXPECT_THAT(this->log.Lines(), ElementsAre(TypeParam::initError));
        EXPECT_FALSE(manager->GetIpManager());
        EXPECT_FALSE(manager->GetSSIDManager());
    }
}

TYPED_TEST(InfraredIpManagerTest, InitOnEmptyModuleThrows) {
    EXPECT_THROW(this->manager->Init(nullptr), std::exception);
    EXPECT_THAT(this->log.Lines(), ElementsAre(TypeParam::initError));
}

TYPED_TEST(InfraredIpManagerTest, ExtensionOfAnotherTypeLetsTheCastFailureOut) {
    this->module->extensions["serial_ir"] = std::string("not an extension");
    EXPECT_THROW(this->manager->Init(this->module), boost::bad_any_cast);
}

TYPED_TEST(InfraredIpManagerTest, InitCreatesSubManagersAndProbeForwards) {
    this->InitWithSerial();
    EXPECT_TRUE(this->manager->GetIpManager());
    EXPECT_TRUE(this->manager->GetSSIDManager());
    EXPECT_CALL(*this->serial, probe(1000)).WillOnce(Return(true)).WillOnce(Return(false));
    EXPECT_TRUE(this->manager->ProbeModule());
    EXPECT_FALSE(this->manager->ProbeModule());
}

TYPED_TEST(InfraredIpManagerTest, IpManagerStartsUnkownAndWritesWhatItHolds) {
    this->InitWithSerial();
    auto ip = this->manager->GetIpManager();
    EXPECT_EQ(ip->GetDetectorIPAddress(), "unkown");
    EXPECT_EQ(ip->GetHostIPAddress(), "unkown");
    EXPECT_CALL(*this->serial, writeIpAddresses("unkown", "unkown"));
    EXPECT_TRUE(ip->WriteConfig());
}

TYPED_TEST(InfraredIpManagerTest, IpManagerReadsDetectorThenHostAndWritesNewValues) {
    this->InitWithSerial();
    auto ip = this->manager->GetIpManager();
    {
        InSequence order;
        EXPECT_CALL(*this->serial, readDetectorIpAddress()).WillOnce(Return("10.0.0.2"));
        EXPECT_CALL(*this->serial, readHostIpAddress()).WillOnce(Return("10.0.0.1/24"));
        EXPECT_CALL(*this->serial, writeIpAddresses("10.0.0.20", "10.0.0.10/24"));
    }
    ip->ReadConfig();
    EXPECT_EQ(ip->GetDetectorIPAddress(), "10.0.0.2");
    EXPECT_EQ(ip->GetHostIPAddress(), "10.0.0.1/24");

    ip->SetHostIPAddress("10.0.0.10/24");
    ip->SetDetectorIPAddress("10.0.0.20");
    EXPECT_TRUE(ip->WriteConfig());
    EXPECT_THAT(this->log.Lines(), IsEmpty());
}

TYPED_TEST(InfraredIpManagerTest, IpManagerReadFailurePropagates) {
    this->InitWithSerial();
    EXPECT_CALL(*this->serial, readDetectorIpAddress())
        .WillOnce(Throw(std::runtime_error("no answer")));
    EXPECT_THROW(this->manager->GetIpManager()->ReadConfig(), std::runtime_error);
}

TYPED_TEST(InfraredIpManagerTest, IpManagerWriteFailureIsLoggedAndKeepsValues) {
    this->InitWithSerial();
    auto ip = this->manager->GetIpManager();
    ip->SetDetectorIPAddress("10.0.0.20");
    ip->SetHostIPAddress("10.0.0.10/24");
    EXPECT_CALL(*this->serial, writeIpAddresses("10.0.0.20", "10.0.0.10/24"))
        .WillOnce(Throw(std::runtime_error("link lost")));

    EXPECT_FALSE(ip->WriteConfig());
    EXPECT_THAT(this->log.Lines(), ElementsAre(TypeParam::ipWriteError));
    EXPECT_EQ(ip->GetDetectorIPAddress(), "10.0.0.20");
    EXPECT_EQ(ip->GetHostIPAddress(), "10.0.0.10/24");
}

TYPED_TEST(InfraredIpManagerTest, SsidManagerReadsSsidOnly) {
    this->InitWithSerial();
    auto ssid = this->manager->GetSSIDManager();
    EXPECT_EQ(ssid->GetSSID(), "unknown");
    EXPECT_CALL(*this->serial, readSsid()).WillOnce(Return("ward-7"));
    ssid->ReadConfig();
    EXPECT_EQ(ssid->GetSSID(), "ward-7");
    // The password was never read, so the SSID alone cannot be written back.
    EXPECT_FALSE(ssid->WriteConfig());
    EXPECT_THAT(this->log.Lines(), ElementsAre(TypeParam::ssidUnsetWarning));
}

TYPED_TEST(InfraredIpManagerTest, SsidManagerRefusesUnsetValues) {
    struct Case {
        const char* label;
        const char* ssid;   // nullptr: not set
        const char* passwd; // nullptr: not set
    };
    const Case cases[] = {
        {"nothing set", nullptr, nullptr},
        {"ssid alone", "ward-7", nullptr},
        {"password alone", nullptr, "s3cret-pw"},
        {"ssid is the marker", "unknown", "s3cret-pw"},
        {"password is the marker", "ward-7", "unknown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        this->log.Clear();
        auto manager = boost::make_shared<typename TypeParam::Manager>();
        this->module->extensions["serial_ir"] =
            boost::shared_ptr<mirl::module::SerialIRIface>(this->serial);
        manager->Init(this->module);
        auto ssid = manager->GetSSIDManager();
        if (c.ssid != nullptr) {
            ssid->SetSSID(c.ssid);
        }
        if (c.passwd != nullptr) {
            ssid->SetPasswd(c.passwd);
        }
        // StrictMock: any call to writeSsidAndPassword fails the test.
        EXPECT_FALSE(ssid->WriteConfig());
        EXPECT_THAT(this->log.Lines(), ElementsAre(TypeParam::ssidUnsetWarning));
    }
}

TYPED_TEST(InfraredIpManagerTest, SsidManagerWritesSsidAndPassword) {
    this->InitWithSerial();
    auto ssid = this->manager->GetSSIDManager();
    ssid->SetSSID("ward-7");
    ssid->SetPasswd("s3cret-pw");
    EXPECT_CALL(*this->serial, writeSsidAndPassword("ward-7", "s3cret-pw"));
    EXPECT_TRUE(ssid->WriteConfig());
    EXPECT_EQ(ssid->GetSSID(), "ward-7");
    EXPECT_THAT(this->log.Lines(), IsEmpty());
}

TYPED_TEST(InfraredIpManagerTest, SsidManagerWriteFailureIsLoggedWithoutPassword) {
    this->InitWithSerial();
    auto ssid = this->manager->GetSSIDManager();
    ssid->SetSSID("ward-7");
    ssid->SetPasswd("s3cret-pw");
    EXPECT_CALL(*this->serial, writeSsidAndPassword("ward-7", "s3cret-pw"))
        .WillOnce(Throw(std::runtime_error("s3cret-pw rejected")));

    EXPECT_FALSE(ssid->WriteConfig());
    EXPECT_THAT(this->log.Lines(), ElementsAre(TypeParam::ssidWriteError));
    for (const auto& line : this->log.Lines()) {
        EXPECT_THAT(line, Not(HasSubstr("s3cret-pw")));
    }
}

TYPED_TEST(InfraredIpManagerTest, SubManagersKeepTheExtensionAlive) {
    this->InitWithSerial();
    auto ip = this->manager->GetIpManager();
    auto ssid = this->manager->GetSSIDManager();
    boost::weak_ptr<StrictMock<MockSerialIR>> watch = this->serial;
    this->serial.reset();
    this->module.reset();
    this->manager.reset();
    EXPECT_FALSE(watch.expired());
    ip.reset();
    EXPECT_FALSE(watch.expired());
    ssid.reset();
    EXPECT_TRUE(watch.expired());
}

} // namespace
