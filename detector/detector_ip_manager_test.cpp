#include "config/generic_xml_file_infos.h"
#include "detector/detector_ip_manager.h"
#include "detector/detector_parameter.h"
#include "detector/testing/sample_files.h"
#include "platform/acquisition/testing/mock_acquisition_manager.h"
#include "platform/acquisition/testing/mock_board.h"
#include "platform/acquisition/testing/mock_config_parser.h"
#include "platform/acquisition/testing/mock_detector.h"
#include "platform/acquisition/testing/mock_extensions.h"
#include "platform/acquisition/testing/scoped_acquisition_manager.h"
#include "platform/tools/system_informations.h"
#include "platform/tools/testing/log_capture.h"

#include <boost/make_shared.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <typeinfo>

namespace {

using namespace acquisition_testing;
namespace sample_files = detector_testing::sample_files;
using mirl::acquisition::Bytes;
using mirl::acquisition::OptionGroups;
using namespace ::testing;
using tools_testing::LogCapture;

using Options = std::vector<std::pair<std::string, std::string>>;
using Lines = std::vector<std::string>;

Options OptionsOf(const OptionGroups& groups) {
    Options options;
    for (const auto& group : groups) {
        for (const auto& option : group.options) {
            options.emplace_back(group.name + "/" + option.name, option.value);
        }
    }
    return options;
}

const std::string CreateError = "DetectorIpManager::CreateDetector - Error creating the detector";
const std::string Deleted = "DetectorIpManager::DeleteDetector - Detector has been deleted";
const std::string BoardReady = "DetectorIpManager::CreateDetector - Board has been initialized";
const std::string DetectorReady =
    "DetectorIpManager::CreateDetector - Detector has been initialized";

class DetectorIpManagerTest : public ::testing::Test {
protected:
    DetectorIpManagerTest() : install(manager) {
        // A detector whose extensions answer like a factory detector of any family.
        ON_CALL(*file, readFile(68, _))
            .WillByDefault(SetArgReferee<1>(sample_files::Interface({192, 168, 1, 20})));
        ON_CALL(*file, readFile(206, _))
            .WillByDefault(SetArgReferee<1>(sample_files::StoredRdxp()));
        ON_CALL(*file, loadUserConfig(_)).WillByDefault(Invoke([](GenericXmlFileInfos& d) {
            d.tree().put("ucf.wifi_enable", "01");
        }));
        ON_CALL(*network, readDetectorAddress(_, _))
            .WillByDefault(SetArgReferee<0>(std::string("192.168.1.20")));
        ON_CALL(*network, readHostAddress(_, _, _))
            .WillByDefault(SetArgReferee<0>(std::string("192.168.1.1")));
        ON_CALL(*network, writeAddresses(_, _, _, _, _)).WillByDefault(Return(true));
        ON_CALL(*wifi, getSsid()).WillByDefault(Return("ward-3"));
        ON_CALL(*wifi, getLinkText()).WillByDefault(Return("eth0:A"));
        detector->extensions["file"] = boost::shared_ptr<mirl::acquisition::FileIface>(file);
        detector->extensions["connection"] =
            boost::shared_ptr<mirl::acquisition::ConnectionIface>(connection);
        detector->extensions["network_configuration"] =
            boost::shared_ptr<mirl::acquisition::NetworkConfigIface>(network);
        EXPECT_CALL(*detector, getWifi())
            .Times(AnyNumber())
            .WillRepeatedly(Return(boost::shared_ptr<mirl::acquisition::WifiIface>(wifi)));
    }

    void TearDown() override {
        // Leave the process-wide facade empty for the next test.
        EXPECT_CALL(manager, clear()).Times(AnyNumber());
        EXPECT_CALL(*board, close()).Times(AnyNumber());
        EXPECT_CALL(*detector, close()).Times(AnyNumber());
        EXPECT_CALL(*detector, setMessageCallback(_)).Times(AnyNumber());
        facade.DeleteDetector();
    }

    // The library calls of a successful opening, in their order.
    enum class Opening { Succeeds, BoardOpenFails, OpenFails, NoHostName };

    void ExpectOpening(const std::string& boardName, const std::string& detectorName,
                       Opening opening = Opening::Succeeds) {
        InSequence order;
        EXPECT_CALL(manager, init());
        EXPECT_CALL(manager, scanBoards(boardName));
        EXPECT_CALL(manager, getBoardOptionsParser(boardName)).WillOnce(ReturnRef(boardParser));
        EXPECT_CALL(boardParser, applyOptions(_, true)).WillOnce(SaveArg<0>(&boardOptions));
        EXPECT_CALL(manager, getBoard(boardName))
            .WillOnce(Return(boost::shared_ptr<mirl::acquisition::Board>(board)));
        if (opening == Opening::BoardOpenFails) {
            EXPECT_CALL(*board, open()).WillOnce(Throw(std::runtime_error("board busy")));
            return;
        }
        EXPECT_CALL(*board, open());
        EXPECT_CALL(manager, scanDetectors(detectorName, _))
            .WillOnce(SaveArg<1>(&scannedParameter));
        EXPECT_CALL(manager, getDetectorOptionsParser(detectorName))
            .WillOnce(ReturnRef(detectorParser));
        EXPECT_CALL(detectorParser, applyOptions(_, true)).WillOnce(SaveArg<0>(&detectorOptions));
        EXPECT_CALL(manager, getDetector(detectorName, Eq(board)))
            .WillOnce(Return(boost::shared_ptr<mirl::acquisition::Detector>(detector)));
        EXPECT_CALL(*detector, setMessageCallback(_)).WillOnce(SaveArg<0>(&callback));
        if (opening == Opening::OpenFails) {
            EXPECT_CALL(*detector, open(true)).WillOnce(Throw(std::runtime_error("no answer")));
            return;
        }
        EXPECT_CALL(*detector, open(true));
        if (opening == Opening::NoHostName) {
            EXPECT_CALL(*connection, setHostName(_, _)).Times(0);
            return;
        }
        EXPECT_CALL(*connection, setHostName(mirl::tools::SystemInformations::ComputerName(),
                                             Eq(boost::optional<std::string>())));
    }

    // The closing calls of DeleteDetector, in their order.
    void ExpectClosing() {
        InSequence order;
        EXPECT_CALL(*board, close());
        EXPECT_CALL(*detector, setMessageCallback(_)).WillOnce(SaveArg<0>(&callback));
        EXPECT_CALL(*detector, close());
        EXPECT_CALL(manager, clear());
    }

    void Open(DetectorType type, const std::string& boardName, const std::string& detectorName) {
        ExpectOpening(boardName, detectorName);
        facade.CreateDetector(type, "192.168.1.20", "192.168.1.1");
        ::testing::Mock::VerifyAndClearExpectations(&manager);
        log.Clear();
    }

    StrictMock<MockAcquisitionManager> manager;
    ScopedAcquisitionManager install;
    StrictMock<MockConfigParser> boardParser;
    StrictMock<MockConfigParser> detectorParser;
    boost::shared_ptr<StrictMock<MockBoard>> board = boost::make_shared<StrictMock<MockBoard>>();
    boost::shared_ptr<StrictMock<MockDetector>> detector =
        boost::make_shared<StrictMock<MockDetector>>();
    boost::shared_ptr<NiceMock<MockFileIface>> file = boost::make_shared<NiceMock<MockFileIface>>();
    boost::shared_ptr<NiceMock<MockConnectionIface>> connection =
        boost::make_shared<NiceMock<MockConnectionIface>>();
    boost::shared_ptr<NiceMock<MockNetworkConfigIface>> network =
        boost::make_shared<NiceMock<MockNetworkConfigIface>>();
    boost::shared_ptr<NiceMock<MockWifiIface>> wifi = boost::make_shared<NiceMock<MockWifiIface>>();

    OptionGroups boardOptions;
    OptionGroups detectorOptions;
    boost::shared_ptr<mirl::acquisition::DetectorParameterIface> scannedParameter;
    mirl::acquisition::MessageCallback callback;
    LogCapture log;
    DetectorIpManager& facade = DetectorIpManager::Instance();
};

// ---- Opening, per family.

struct FamilyCase {
    DetectorType type;
    const char* board;
    const char* detector;
    Options options;
};

void PrintTo(const FamilyCase& c, std::ostream* out) {
    *out << c.detector;
}

class DetectorIpManagerFamilyTest : public DetectorIpManagerTest,
                                    public ::testing::WithParamInterface<FamilyCase> {};

TEST_P(DetectorIpManagerFamilyTest, OpensBoardFirstWithTheSameOptionsOnBothParsers) {
    const FamilyCase& c = GetParam();
    ExpectOpening(c.board, c.detector);
    facade.CreateDetector(c.type, "192.168.1.20", "192.168.1.1");

    EXPECT_EQ(OptionsOf(boardOptions), c.options);
    EXPECT_EQ(OptionsOf(detectorOptions), c.options);
    ASSERT_TRUE(scannedParameter);
    EXPECT_EQ(scannedParameter->getName(), "NotUsed");
    EXPECT_EQ(scannedParameter->getModes().count(1), 1u);
    EXPECT_THAT(log.Messages('I'), ElementsAre(BoardReady, DetectorReady));
    EXPECT_TRUE(log.Messages('E').empty());
    EXPECT_TRUE(facade.IsConnectedByCable());
}

// The options of a family that also turns the protocol traces off.
Options Quiet(Options options) {
    options.push_back({"hardware/protocol.traces.show", "no"});
    options.push_back({"hardware/protocol.statistics.show", "no"});
    return options;
}

INSTANTIATE_TEST_SUITE_P(
    Families, DetectorIpManagerFamilyTest,
    ::testing::Values(FamilyCase{Vk6080K, "AcqEth", "Vk6080K",
                                 Options{{"hardware/detector.path", "192.168.1.20:40000"}}},
                      FamilyCase{VknQ2, "AcqRDXPv2", "Vk6080QL",
                                 Quiet({{"hardware/detector.path.0", "192.168.1.20"},
                                        {"hardware/local.path", "192.168.1.1"}})},
                      FamilyCase{Vk7x80, "AcqRDXPv1", "Vk7180c",
                                 Quiet({{"hardware/detector.path", "192.168.1.20:10001"},
                                        {"hardware/local.command.port", "2046"},
                                        {"hardware/local.image.port", "6001"}})},
                      FamilyCase{Vk7380TW, "AcqRDXPv2", "Vk7380TWc",
                                 Quiet({{"hardware/detector.path", "192.168.1.20"},
                                        {"hardware/local.path", "192.168.1.1"}})},
                      FamilyCase{Vk6080MV, "AcqRDXPv2", "Vk6080MVcs",
                                 Quiet({{"hardware/detector.path", "192.168.1.20"},
                                        {"hardware/local.path", "192.168.1.1"}})}));

TEST_F(DetectorIpManagerTest, ReadsTheIpThenSsidThenWifiConfiguration) {
    {
        InSequence order;
        EXPECT_CALL(*network, readDetectorAddress(_, _));
        EXPECT_CALL(*network, readHostAddress(_, _, _));
        EXPECT_CALL(*wifi, getSsid());
        EXPECT_CALL(*file, loadUserConfig(_));
    }
    Open(VknQ2, "AcqRDXPv2", "Vk6080QL");
}

TEST_F(DetectorIpManagerTest, DetectorWithoutConnectionExtensionSkipsTheHostName) {
    detector->extensions.erase("connection");
    ExpectOpening("AcqEth", "Vk6080K", Opening::NoHostName);
    facade.CreateDetector(Vk6080K, "192.168.1.20", "");
    EXPECT_THAT(log.Messages('I'), ElementsAre(BoardReady, DetectorReady));
}

TEST_F(DetectorIpManagerTest, TypeOutsideTheFamiliesCreatesNothing) {
    // The manager is a strict mock: any library call would fail the test.
    facade.CreateDetector(InvalidDetectorType, "192.168.1.20", "192.168.1.1");
    facade.CreateDetector(static_cast<DetectorType>(5), "192.168.1.20", "192.168.1.1");
    EXPECT_THAT(log.Messages('E'),
                ElementsAre("DetectorIpManager::CreateDetector - impossible to instanciate "
                            "detector implementation",
                            "DetectorIpManager::CreateDetector - impossible to instanciate "
                            "detector implementation"));
    log.Clear();
    EXPECT_FALSE(facade.IsConnectedByCable());
    EXPECT_THAT(log.Messages('E'),
                ElementsAre("DetectorIpManager::IsConnectedByCable - invalid ip manager "
                            "implementation!"));
}

// ---- The guarded steps: any failure closes everything and ends in a plain std::exception.

struct GuardedCase {
    const char* name;
    DetectorType type;
    const char* board;
    const char* detector;
    Lines errors; // logged before the creation error
};

void PrintTo(const GuardedCase& c, std::ostream* out) {
    *out << c.name;
}

class DetectorIpManagerGuardedTest : public DetectorIpManagerTest,
                                     public ::testing::WithParamInterface<GuardedCase> {
protected:
    void Break(const std::string& name) {
        if (name == "connection") {
            detector->extensions["connection"] = std::string("wrong type");
        } else if (name == "init") {
            detector->extensions.erase("file");
        } else if (name == "read") {
            EXPECT_CALL(*file, readFile(_, _)).WillOnce(Throw(std::runtime_error("read failed")));
        } else if (name == "checksum") {
            Bytes damaged = sample_files::StoredRdxp();
            damaged[152] = 0x00;
            EXPECT_CALL(*file, readFile(206, _)).WillOnce(SetArgReferee<1>(damaged));
        } else if (name == "wifi") {
            EXPECT_CALL(*file, loadUserConfig(_)).WillOnce(Return()); // no "ucf" node
        }
    }
};

TEST_P(DetectorIpManagerGuardedTest, FailureClosesEverythingAndThrowsPlainException) {
    const GuardedCase& c = GetParam();
    const std::string name = c.name;
    ExpectOpening(c.board, c.detector,
                  name == "open"         ? Opening::OpenFails
                  : name == "connection" ? Opening::NoHostName
                                         : Opening::Succeeds);
    Break(name);
    ExpectClosing();

    try {
        facade.CreateDetector(c.type, "192.168.1.20", "192.168.1.1");
        FAIL() << "CreateDetector must throw";
    } catch (const std::exception& e) {
        EXPECT_EQ(typeid(e), typeid(std::exception)) << typeid(e).name();
    }
    Lines errors = c.errors;
    errors.push_back(CreateError);
    EXPECT_EQ(log.Messages('E'), errors);
    EXPECT_THAT(log.Messages('I'), ElementsAre(BoardReady, Deleted));
    // The message callback was emptied before the detector was closed.
    EXPECT_TRUE(callback.empty());
    // Back to Empty.
    log.Clear();
    EXPECT_FALSE(facade.IsConnectedByCable());
    EXPECT_EQ(log.Messages('E').size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DetectorIpManagerGuardedTest,
    ::testing::Values(
        GuardedCase{"open", Vk7x80, "AcqRDXPv1", "Vk7180c", Lines{}},
        GuardedCase{"connection", Vk7x80, "AcqRDXPv1", "Vk7180c", Lines{}},
        GuardedCase{
            "init", Vk6080K, "AcqEth", "Vk6080K",
            Lines{"Vk6080KIpManager::Init - impossible to retrieve detector's file extension"}},
        GuardedCase{"read", Vk6080K, "AcqEth", "Vk6080K", Lines{}},
        GuardedCase{"checksum", Vk7x80, "AcqRDXPv1", "Vk7180c",
                    Lines{"Vk7x80IpManager::_ReadRDXPFile - RDXPFile checksum mismatch : expected "
                          "0xEC, found 0x00"}},
        GuardedCase{"wifi", Vk6080MV, "AcqRDXPv2", "Vk6080MVcs",
                    Lines{"UserConfigFileInfos::GetUcfValue - xml parsing bad path error : No such "
                          "node (ucf)"}}),
    [](const ::testing::TestParamInfo<GuardedCase>& info) { return info.param.name; });

TEST_F(DetectorIpManagerTest, LibraryFailureBeforeTheGuardedStepsReachesTheCallerUnchanged) {
    InSequence order;
    EXPECT_CALL(manager, init());
    EXPECT_CALL(manager, scanBoards("AcqRDXPv1"))
        .WillOnce(Throw(std::runtime_error("board AcqRDXPv1 not found")));
    // Strict mocks: no close and no clear may follow.
    try {
        facade.CreateDetector(Vk7x80, "192.168.1.20", "192.168.1.1");
        FAIL() << "CreateDetector must throw";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "board AcqRDXPv1 not found");
    }
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(DetectorIpManagerTest, BoardOpenFailureLeavesTheBoardUnclosed) {
    ExpectOpening("AcqEth", "Vk6080K", Opening::BoardOpenFails);
    EXPECT_THROW(facade.CreateDetector(Vk6080K, "192.168.1.20", ""), std::runtime_error);
    EXPECT_TRUE(log.Lines().empty());
}

// ---- Forwarding.

TEST_F(DetectorIpManagerTest, EveryOperationWithoutImplementationLogsAndFails) {
    EXPECT_FALSE(facade.IsConnectedByCable());
    EXPECT_FALSE(facade.SetWifiEnable(true));
    EXPECT_FALSE(facade.SetWifiPasswd("ward-4", "s3cret"));
    EXPECT_FALSE(facade.SetHostAndDetectorIPAddress("10.0.0.1", "10.0.0.2"));
    EXPECT_THAT(
        log.Messages('E'),
        ElementsAre("DetectorIpManager::IsConnectedByCable - invalid ip manager implementation!",
                    "DetectorIpManager::SetWifiEnable - invalid ip manager implementation!",
                    "DetectorIpManager::SetWifiPasswd - invalid ip manager implementation!",
                    "DetectorIpManager::SetHostAndDetectorIPAddress - invalid ip manager "
                    "implementation!"));
}

TEST_F(DetectorIpManagerTest, FamilyWithoutSsidOrWifiManagerRefusesThoseRequests) {
    for (const auto& family : {std::make_tuple(Vk6080K, "AcqEth", "Vk6080K"),
                               std::make_tuple(Vk7x80, "AcqRDXPv1", "Vk7180c"),
                               std::make_tuple(Vk7380TW, "AcqRDXPv2", "Vk7380TWc")}) {
        Open(std::get<0>(family), std::get<1>(family), std::get<2>(family));
        EXPECT_FALSE(facade.SetWifiEnable(true));
        EXPECT_FALSE(facade.SetWifiPasswd("ward-4", "s3cret"));
        EXPECT_THAT(log.Messages('E'),
                    ElementsAre("DetectorIpManager::SetWifiEnable - this detector has no wifi "
                                "manager",
                                "DetectorIpManager::SetWifiPasswd - this detector has no ssid "
                                "manager"));
        ExpectClosing();
        facade.DeleteDetector();
    }
}

TEST_F(DetectorIpManagerTest, ReaddressesA7380) {
    Open(Vk7x80, "AcqRDXPv1", "Vk7180c");
    Bytes written;
    EXPECT_CALL(*file, writeFile(206, _)).WillOnce(SaveArg<1>(&written));
    EXPECT_TRUE(facade.SetHostAndDetectorIPAddress("10.0.37.133", "10.0.37.132"));
    ASSERT_EQ(written.size(), 153u);
    const std::vector<sample_files::Register> expected = {
        {0x40, 132}, {0x41, 37}, {0x42, 0}, {0x43, 10}, {0x34, 0x11}, {0x35, 0x27},
        {0x2C, 133}, {0x2D, 37}, {0x2E, 0}, {0x2F, 10}, {0x30, 0xFE}, {0x31, 0x07},
        {0x20, 133}, {0x21, 37}, {0x22, 0}, {0x23, 10}, {0x24, 0x71}, {0x25, 0x17}};
    EXPECT_EQ(written, sample_files::Rdxp(expected));
}

TEST_F(DetectorIpManagerTest, RefusedAddressIsNeverReportedAsChanged) {
    Open(Vk6080K, "AcqEth", "Vk6080K");
    EXPECT_CALL(*file, writeFile(_, _)).Times(0);
    EXPECT_FALSE(facade.SetHostAndDetectorIPAddress("", "10.0..2"));
    EXPECT_THAT(log.Messages('E'),
                ElementsAre("Vk6080KIpManager::SetDetectorIPAddress - invalid IP address 10.0..2",
                            "Vk6080KIpManager::IpManager::WriteConfig - an invalid address was "
                            "given, nothing written"));
}

TEST_F(DetectorIpManagerTest, WriteFailureIsLoggedAndTheDetectorStaysOpen) {
    Open(Vk7x80, "AcqRDXPv1", "Vk7180c");
    EXPECT_CALL(*file, writeFile(206, _)).WillOnce(Throw(std::runtime_error("write failed")));
    // Board and detector are strict mocks: closing them now would fail the test.
    EXPECT_FALSE(facade.SetHostAndDetectorIPAddress("10.0.37.133", "10.0.37.132"));
    EXPECT_THAT(log.Messages('E'),
                ElementsAre("DetectorIpManager::SetHostAndDetectorIPAddress - unable to set host "
                            "& detector ip address"));
    EXPECT_TRUE(facade.IsConnectedByCable());
}

TEST_F(DetectorIpManagerTest, FalseWriteIsPassedOnWithoutALogLine) {
    Open(VknQ2, "AcqRDXPv2", "Vk6080QL");
    EXPECT_CALL(*network, writeAddresses(_, _, _, _, _)).WillOnce(Return(false));
    EXPECT_FALSE(facade.SetHostAndDetectorIPAddress("192.168.1.2/24", "192.168.1.30"));
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(DetectorIpManagerTest, WifiSwitchOverAWifiLinkTellsTheManagerItIsNotCabled) {
    Open(VknQ2, "AcqRDXPv2", "Vk6080QL");
    EXPECT_CALL(*wifi, getLinkText()).WillRepeatedly(Return("wlan0:1F"));
    std::string saved;
    {
        InSequence order;
        EXPECT_CALL(*file, saveUserConfig(_)).WillOnce(Invoke([&](GenericXmlFileInfos& d) {
            saved = d.tree().get<std::string>("ucf.wifi_enable");
        }));
        EXPECT_CALL(*file, applyUserConfig(false));
        EXPECT_CALL(*connection, applyNetworkConfig());
    }
    EXPECT_TRUE(facade.SetWifiEnable(false));
    EXPECT_EQ(saved, "00");
}

TEST_F(DetectorIpManagerTest, WifiSwitchErrorsPropagate) {
    Open(Vk6080MV, "AcqRDXPv2", "Vk6080MVcs");
    EXPECT_CALL(*file, saveUserConfig(_)).WillOnce(Throw(std::runtime_error("store failed")));
    EXPECT_THROW(facade.SetWifiEnable(true), std::runtime_error);
}

TEST_F(DetectorIpManagerTest, SsidChangeWritesAndNeverLogsThePassword) {
    Open(VknQ2, "AcqRDXPv2", "Vk6080QL");
    EXPECT_CALL(*network, writeSsidAndPassword("ward-4", "s3cret-pw"));
    EXPECT_TRUE(facade.SetWifiPasswd("ward-4", "s3cret-pw"));
    EXPECT_EQ(log.All().find("s3cret-pw"), std::string::npos);
}

TEST_F(DetectorIpManagerTest, SsidChangeErrorIsLoggedAndReportedAsFalse) {
    Open(Vk6080MV, "AcqRDXPv2", "Vk6080MVcs");
    EXPECT_CALL(*network, writeSsidAndPassword(_, _))
        .WillOnce(Throw(std::runtime_error("link lost")));
    EXPECT_FALSE(facade.SetWifiPasswd("ward-4", "s3cret-pw"));
    EXPECT_THAT(log.Messages('E'),
                ElementsAre("DetectorIpManager::SetWifiPasswd - unable to set the ssid and "
                            "password"));
    EXPECT_EQ(log.All().find("s3cret-pw"), std::string::npos);
}

TEST_F(DetectorIpManagerTest, SixtyEightyMvReportsWhetherItWroteTheSsid) {
    Open(Vk6080MV, "AcqRDXPv2", "Vk6080MVcs");
    EXPECT_CALL(*network, writeSsidAndPassword("ward-4", "pw"));
    EXPECT_TRUE(facade.SetWifiPasswd("ward-4", "pw"));
    // The detector already uses this SSID.
    EXPECT_FALSE(facade.SetWifiPasswd("ward-3", "pw"));
}

// ---- Closing and messages.

TEST_F(DetectorIpManagerTest, DeleteDetectorReleasesTheImplementationBeforeClosing) {
    Open(Vk6080K, "AcqEth", "Vk6080K");
    // The family's IP manager holds the file extension while open.
    const long whileOpen = file.use_count();
    long atBoardClose = 0;
    {
        InSequence order;
        EXPECT_CALL(*board, close()).WillOnce(Invoke([&] { atBoardClose = file.use_count(); }));
        EXPECT_CALL(*detector, setMessageCallback(_)).WillOnce(SaveArg<0>(&callback));
        EXPECT_CALL(*detector, close());
        EXPECT_CALL(manager, clear());
    }
    facade.DeleteDetector();
    EXPECT_EQ(atBoardClose, whileOpen - 1);
    EXPECT_TRUE(callback.empty());
    EXPECT_THAT(log.Messages('I'), ElementsAre(Deleted));

    // A second call only clears the library.
    log.Clear();
    EXPECT_CALL(manager, clear());
    facade.DeleteDetector();
    EXPECT_THAT(log.Messages('I'), ElementsAre(Deleted));
}

TEST_F(DetectorIpManagerTest, DetectorMessagesGoToTheLog) {
    Open(Vk7380TW, "AcqRDXPv2", "Vk7380TWc");
    ASSERT_FALSE(callback.empty());
    callback("link up");
    EXPECT_THAT(log.Messages('I'), ElementsAre("det : link up"));
}

} // namespace
