#include "module/module_ip_manager.h"
#include "platform/acquisition/testing/mock_config_parser.h"
#include "platform/module/testing/mock_module.h"
#include "platform/module/testing/mock_module_manager.h"
#include "platform/module/testing/mock_serial_ir.h"
#include "platform/module/testing/scoped_module_manager.h"
#include "platform/tools/testing/log_capture.h"

#include <boost/make_shared.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <typeinfo>

namespace {

using acquisition_testing::MockConfigParser;
using module_testing::MockModule;
using module_testing::MockModuleManager;
using module_testing::MockSerialIR;
using module_testing::ScopedModuleManager;
using namespace ::testing;
using tools_testing::LogCapture;

using mirl::module::Option;
using mirl::module::OptionGroup;
using mirl::module::OptionGroups;

const char* const CreatedLine = "I ModuleIpManager::CreateModule - Module has been initialized";
const char* const CreateErrorLine = "E ModuleIpManager::CreateModule - Error creating the module";
const char* const DeletedLine = "I ModuleIpManager::DeleteModule - Module has been deleted";
const char* const NoImplementationLine =
    "E ModuleIpManager::CreateDetector - impossible to instanciate module implementation";

bool SameOptions(const OptionGroups& actual, const std::string& port) {
    if (actual.size() != 1 || actual[0].name != "hardware" || actual[0].id != 0 ||
        actual[0].options.size() != 2) {
        return false;
    }
    const Option& first = actual[0].options[0];
    const Option& second = actual[0].options[1];
    return first.name == "module.serial.port" && first.value == port && first.id == 0 &&
           !first.flag && second.name == "protocol.discarded.show" && second.value == "no" &&
           second.id == 0 && !second.flag;
}

MATCHER_P(OpensOnPort, port, "one hardware group opening the module on " + std::string(port)) {
    return SameOptions(arg, port);
}

bool IsPlainException(const std::exception& error) {
    return typeid(error) == typeid(std::exception);
}

class ModuleIpManagerTest : public ::testing::Test {
public:
    ModuleIpManagerTest()
        : module(boost::make_shared<StrictMock<MockModule>>()),
          serial(boost::make_shared<StrictMock<MockSerialIR>>()) {
        module->extensions["serial_ir"] = boost::shared_ptr<mirl::module::SerialIRIface>(serial);
    }

    ~ModuleIpManagerTest() override {
        // Leave the process-wide facade empty for the next test.
        ::testing::Mock::VerifyAndClearExpectations(&manager);
        ::testing::Mock::VerifyAndClearExpectations(module.get());
        EXPECT_CALL(manager, clear()).Times(AnyNumber());
        EXPECT_CALL(*module, close()).Times(AnyNumber());
        facade().DeleteModule();
    }

    static ModuleIpManager& facade() { return ModuleIpManager::Instance(); }

    // The library calls of a creation up to getModule.
    void ExpectLookup(const std::string& name, const std::string& port,
                      boost::shared_ptr<mirl::module::Module> found) {
        EXPECT_CALL(manager, init());
        EXPECT_CALL(manager, scanModules(name));
        EXPECT_CALL(manager, getModuleOptionsParser(name)).WillOnce(ReturnRef(parser));
        EXPECT_CALL(parser, applyOptions(OpensOnPort(port), true));
        EXPECT_CALL(manager, getModule(name)).WillOnce(Return(found));
    }

    // A creation that succeeds on `opened`, reading the given values.
    void ExpectWorkingModule(const std::string& name, const std::string& port,
                             const boost::shared_ptr<StrictMock<MockModule>>& opened,
                             const char* detector, const char* host, const char* ssid) {
        InSequence order;
        ExpectLookup(name, port, opened);
        EXPECT_CALL(*opened, setMessageCallback(_)).WillOnce(SaveArg<0>(&callback));
        EXPECT_CALL(*opened, open());
        EXPECT_CALL(*serial, readDetectorIpAddress()).WillOnce(Return(detector));
        EXPECT_CALL(*serial, readHostIpAddress()).WillOnce(Return(host));
        EXPECT_CALL(*serial, readSsid()).WillOnce(Return(ssid));
    }
    void ExpectWorkingModule(const std::string& name, const std::string& port) {
        ExpectWorkingModule(name, port, module, "192.168.1.2", "192.168.1.1/24", "ward-7");
    }

    void OpenWorkingModule() {
        ExpectWorkingModule("QL_IR", "COM3");
        facade().CreateModule(0, "COM3");
        ::testing::Mock::VerifyAndClearExpectations(&manager);
        ::testing::Mock::VerifyAndClearExpectations(&parser);
        ::testing::Mock::VerifyAndClearExpectations(module.get());
        ::testing::Mock::VerifyAndClearExpectations(serial.get());
        log.Clear();
    }

    LogCapture log;
    StrictMock<MockModuleManager> manager;
    ScopedModuleManager install{manager};
    StrictMock<MockConfigParser> parser;
    boost::shared_ptr<StrictMock<MockModule>> module;
    boost::shared_ptr<StrictMock<MockSerialIR>> serial;
    mirl::module::MessageCallback callback;
};

TEST_F(ModuleIpManagerTest, CreateModuleCallsTheLibraryInOrderForEachKind) {
    struct Case {
        int kind;
        const char* name;
    };
    for (const Case& c : {Case{0, "QL_IR"}, Case{1, "MV_IR"}}) {
        SCOPED_TRACE(c.name);
        log.Clear();
        ExpectWorkingModule(c.name, "COM3");
        facade().CreateModule(c.kind, "COM3");
        EXPECT_THAT(log.Lines(), ElementsAre(CreatedLine));
        EXPECT_EQ(facade().GetDetectorIPAddress(), "192.168.1.2");
        EXPECT_EQ(facade().GetHostIPAddress(), "192.168.1.1/24");

        EXPECT_CALL(*module, close());
        EXPECT_CALL(manager, clear());
        facade().DeleteModule();
        ::testing::Mock::VerifyAndClearExpectations(module.get());
        ::testing::Mock::VerifyAndClearExpectations(&manager);
    }
}

TEST_F(ModuleIpManagerTest, ModuleMessagesAreLoggedWithPrefix) {
    OpenWorkingModule();
    ASSERT_TRUE(callback);
    callback("link quality 80%");
    EXPECT_THAT(log.Lines(), ElementsAre("I mod : link quality 80%"));
}

TEST_F(ModuleIpManagerTest, FailureInsideTheGuardedBlockCleansUpAndThrowsPlainException) {
    struct Case {
        const char* label;
        std::function<void(ModuleIpManagerTest&)> arrange;
    };
    const Case cases[] = {
        {"open fails",
         [](ModuleIpManagerTest& t) {
             EXPECT_CALL(*t.module, open()).WillOnce(Throw(std::runtime_error("port busy")));
         }},
        {"no serial extension",
         [](ModuleIpManagerTest& t) {
             t.module->extensions.clear();
             EXPECT_CALL(*t.module, open());
         }},
        {"extension of another type",
         [](ModuleIpManagerTest& t) {
             t.module->extensions["serial_ir"] = 42;
             EXPECT_CALL(*t.module, open());
         }},
        {"reading the addresses fails",
         [](ModuleIpManagerTest& t) {
             EXPECT_CALL(*t.module, open());
             EXPECT_CALL(*t.serial, readDetectorIpAddress()).WillOnce(Throw(42));
         }},
        {"reading the ssid fails",
         [](ModuleIpManagerTest& t) {
             EXPECT_CALL(*t.module, open());
             EXPECT_CALL(*t.serial, readDetectorIpAddress()).WillOnce(Return("192.168.1.2"));
             EXPECT_CALL(*t.serial, readHostIpAddress()).WillOnce(Return("192.168.1.1/24"));
             EXPECT_CALL(*t.serial, readSsid()).WillOnce(Throw(std::runtime_error("timeout")));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        log.Clear();
        module = boost::make_shared<StrictMock<MockModule>>();
        module->extensions["serial_ir"] = boost::shared_ptr<mirl::module::SerialIRIface>(serial);
        ExpectLookup("QL_IR", "COM3", module);
        EXPECT_CALL(*module, setMessageCallback(_));
        c.arrange(*this);
        EXPECT_CALL(*module, close());
        EXPECT_CALL(manager, clear());

        try {
            facade().CreateModule(0, "COM3");
            ADD_FAILURE() << "CreateModule did not throw";
        } catch (const std::exception& error) {
            EXPECT_TRUE(IsPlainException(error)) << typeid(error).name();
        }
        ASSERT_GE(log.Lines().size(), 2u);
        const auto& lines = log.Lines();
        EXPECT_EQ(lines[lines.size() - 2], CreateErrorLine);
        EXPECT_EQ(lines.back(), DeletedLine);
        EXPECT_THAT(lines, Not(Contains(CreatedLine)));

        ::testing::Mock::VerifyAndClearExpectations(module.get());
        ::testing::Mock::VerifyAndClearExpectations(serial.get());
        ::testing::Mock::VerifyAndClearExpectations(&manager);
        log.Clear();
        EXPECT_EQ(facade().GetHostIPAddress(), "invalid");
    }
}

TEST_F(ModuleIpManagerTest, LibraryFailureBeforeTheModuleReachesTheCallerUnchanged) {
    EXPECT_CALL(manager, init());
    EXPECT_CALL(manager, scanModules("QL_IR")).WillOnce(Throw(std::runtime_error("no such kind")));
    try {
        facade().CreateModule(0, "COM3");
        ADD_FAILURE() << "CreateModule did not throw";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "no such kind");
    }
    EXPECT_THAT(log.Lines(), Not(Contains(CreateErrorLine)));
}

TEST_F(ModuleIpManagerTest, EmptyModuleFromTheLibraryIsACreationFailure) {
    {
        InSequence order;
        ExpectLookup("QL_IR", "COM9", nullptr);
        EXPECT_CALL(manager, clear());
    }
    EXPECT_THROW(facade().CreateModule(0, "COM9"), std::exception);
    ASSERT_FALSE(log.Lines().empty());
    EXPECT_THAT(log.Lines().front(), HasSubstr("E ModuleIpManager::CreateModule - "));
    EXPECT_THAT(log.Lines().front(), HasSubstr("COM9"));
    EXPECT_EQ(log.Lines().back(), DeletedLine);
    log.Clear();
    EXPECT_EQ(facade().GetDetectorIPAddress(), "invalid");
}

TEST_F(ModuleIpManagerTest, UnknownKindOnEmptyManagerDoesNothing) {
    // StrictMock without expectations: any library call fails the test.
    EXPECT_NO_THROW(facade().CreateModule(5, "COM3"));
    EXPECT_THAT(log.Lines(), ElementsAre(NoImplementationLine));
}

TEST_F(ModuleIpManagerTest, UnknownKindGoesOnWithTheHeldImplementation) {
    ExpectWorkingModule("MV_IR", "COM3");
    facade().CreateModule(1, "COM3");
    ::testing::Mock::VerifyAndClearExpectations(&manager);
    ::testing::Mock::VerifyAndClearExpectations(module.get());

    auto second = boost::make_shared<StrictMock<MockModule>>();
    second->extensions["serial_ir"] = boost::shared_ptr<mirl::module::SerialIRIface>(serial);
    ExpectWorkingModule("MV_IR", "COM4", second, "192.168.1.5", "192.168.1.4/24", "ward-8");
    log.Clear();
    facade().CreateModule(5, "COM4");
    EXPECT_THAT(log.Lines(), ElementsAre(CreatedLine));
    EXPECT_EQ(facade().GetDetectorIPAddress(), "192.168.1.5");

    EXPECT_CALL(*second, close());
    EXPECT_CALL(manager, clear());
    facade().DeleteModule();
}

TEST_F(ModuleIpManagerTest, OperationsWithoutImplementationDoNotReachTheLibrary) {
    struct Case {
        const char* label;
        std::function<std::string()> call;
        const char* result;
        const char* line;
    };
    const Case cases[] = {
        {"detector address", [] { return facade().GetDetectorIPAddress(); }, "invalid",
         "E ModuleIpManager::GetDetectorIPAddress - invalid ip manager implementation!"},
        {"host address", [] { return facade().GetHostIPAddress(); }, "invalid",
         "E ModuleIpManager::GetHostIPAddress - invalid ip manager implementation!"},
        {"set addresses",
         [] {
             return std::string(facade().SetHostAndDetectorIPAddress("10.0.0.1/24", "10.0.0.2")
                                    ? "true"
                                    : "false");
         },
         "false",
         "E ModuleIpManager::SetHostAndDetectorIPAddress - invalid ip manager implementation!"},
        {"set ssid",
         [] {
             return std::string(facade().SetWifiPasswd("ward-7", "s3cret-pw") ? "true" : "false");
         },
         "false", "E ModuleIpManager::SetWifiPasswd - invalid ip manager implementation!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        log.Clear();
        EXPECT_EQ(c.call(), c.result);
        EXPECT_THAT(log.Lines(), ElementsAre(c.line));
    }
}

TEST_F(ModuleIpManagerTest, SetHostAndDetectorIPAddressWritesDetectorThenHost) {
    OpenWorkingModule();
    EXPECT_CALL(*serial, writeIpAddresses("192.168.1.20", "192.168.1.10/24"));
    EXPECT_TRUE(facade().SetHostAndDetectorIPAddress("192.168.1.10/24", "192.168.1.20"));
    EXPECT_EQ(facade().GetDetectorIPAddress(), "192.168.1.20");
    EXPECT_EQ(facade().GetHostIPAddress(), "192.168.1.10/24");
}

TEST_F(ModuleIpManagerTest, RefusedAddressWriteGivesFalse) {
    OpenWorkingModule();
    EXPECT_CALL(*serial, writeIpAddresses(_, _)).WillOnce(Throw(std::runtime_error("nak")));
    EXPECT_FALSE(facade().SetHostAndDetectorIPAddress("192.168.1.10/24", "192.168.1.20"));
    EXPECT_THAT(log.Lines(), ElementsAre("E IRVknQ2IpManager::IpManager::WriteConfig - error "
                                         "trying to write new ip configuration"));
}

TEST_F(ModuleIpManagerTest, SetWifiPasswdWritesBothAndNeverLogsThePassword) {
    OpenWorkingModule();
    EXPECT_CALL(*serial, writeSsidAndPassword("ward-9", "s3cret-pw"))
        .WillOnce(Return())
        .WillOnce(Throw(std::runtime_error("nak")));
    EXPECT_TRUE(facade().SetWifiPasswd("ward-9", "s3cret-pw"));
    EXPECT_FALSE(facade().SetWifiPasswd("ward-9", "s3cret-pw"));
    for (const auto& line : log.Lines()) {
        EXPECT_THAT(line, Not(HasSubstr("s3cret-pw")));
    }
}

TEST_F(ModuleIpManagerTest, SetWifiPasswdWithMarkerValueIsRefused) {
    OpenWorkingModule();
    EXPECT_FALSE(facade().SetWifiPasswd("ward-9", "unknown"));
}

TEST_F(ModuleIpManagerTest, DeleteModuleClosesThenClears) {
    OpenWorkingModule();
    {
        InSequence order;
        EXPECT_CALL(*module, close());
        EXPECT_CALL(manager, clear());
    }
    facade().DeleteModule();
    EXPECT_THAT(log.Lines(), ElementsAre(DeletedLine));
    log.Clear();
    EXPECT_EQ(facade().GetDetectorIPAddress(), "invalid");
    EXPECT_THAT(log.Lines(), ElementsAre("E ModuleIpManager::GetDetectorIPAddress - invalid ip "
                                         "manager implementation!"));
}

TEST_F(ModuleIpManagerTest, DeleteModuleOnEmptyManagerStillClearsTheLibrary) {
    EXPECT_CALL(manager, clear()).Times(2);
    facade().DeleteModule();
    facade().DeleteModule();
    EXPECT_THAT(log.Lines(), ElementsAre(DeletedLine, DeletedLine));
}

TEST_F(ModuleIpManagerTest, FailingCloseStillEmptiesTheManager) {
    OpenWorkingModule();
    EXPECT_CALL(*module, close()).WillOnce(Throw(std::runtime_error("port gone")));
    EXPECT_THROW(facade().DeleteModule(), std::runtime_error);
    ::testing::Mock::VerifyAndClearExpectations(module.get());
    EXPECT_EQ(facade().GetHostIPAddress(), "invalid");
    // A second delete does not touch the closed module again.
    EXPECT_CALL(manager, clear());
    facade().DeleteModule();
}

} // namespace
