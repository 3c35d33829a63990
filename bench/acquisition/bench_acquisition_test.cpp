#include "bench/store/bench_store.h"
#include "bench/store/detector_files.h"
#include "bench/testing/hand_edit.h"
#include "bench/testing/library_test.h"
#include "config/generic_xml_file_infos.h"
#include "platform/acquisition/acquisition_manager.h"

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <cstdlib>

namespace velkor {
namespace bench {
namespace {

namespace acq = mirl::acquisition;

class Parameter : public acq::DetectorParameterIface {
public:
    std::string getName() const override { return "NotUsed"; }
    Modes getModes() const override { return Modes(); }
    std::string getTextOf(std::uint16_t) const override { return std::string(); }
};

class Document : public GenericXmlFileInfos {
public:
    void Hook() override {}
};

using Options = std::vector<std::pair<std::string, std::string>>;

acq::OptionGroups Hardware(const Options& options) {
    acq::OptionGroup group;
    group.name = "hardware";
    for (const auto& option : options) {
        acq::Option entry;
        entry.name = option.first;
        entry.value = option.second;
        group.options.push_back(entry);
    }
    return acq::OptionGroups{group};
}

Options One(const std::string& name, const std::string& value) {
    return {{name, value}};
}

Options Path6080K(const std::string& address) {
    return {{"detector.path", address + ":40000"}};
}

Options Path7x80(const std::string& address) {
    return {{"detector.path", address + ":10001"},
            {"local.command.port", "2046"},
            {"local.image.port", "6001"},
            {"protocol.traces.show", "no"},
            {"protocol.statistics.show", "no"}};
}

Options PathNq2(const std::string& address, const std::string& peer) {
    return {{"detector.path.0", address},
            {"local.path", peer},
            {"protocol.traces.show", "no"},
            {"protocol.statistics.show", "no"}};
}

Options PathRdxp2(const std::string& address, const std::string& peer) {
    return {{"detector.path", address},
            {"local.path", peer},
            {"protocol.traces.show", "no"},
            {"protocol.statistics.show", "no"}};
}

class BenchAcquisitionTest : public testing::LibraryTest<acq::AcquisitionManager, acq::Detector> {
protected:
    // The calls the program makes, in its order, up to the detector's open(true).
    boost::shared_ptr<acq::Detector> reach(const std::string& board, const std::string& detector,
                                           const Options& options) {
        acq::AcquisitionManager& manager = acq::AcquisitionManager::manager();
        const acq::OptionGroups groups = Hardware(options);
        manager.init();
        manager.scanBoards(board);
        manager.getBoardOptionsParser(board).applyOptions(groups, true);
        const auto boardObject = manager.getBoard(board);
        boardObject->open();
        manager.scanDetectors(detector, boost::make_shared<Parameter>());
        manager.getDetectorOptionsParser(detector).applyOptions(groups, true);
        const auto detectorObject = manager.getDetector(detector, boardObject);
        detectorObject->setMessageCallback(
            [this](const std::string& message) { messages.push_back(message); });
        detectorObject->open(true);
        opened.push_back(detectorObject);
        return detectorObject;
    }

    std::string failureOf(const std::string& board, const std::string& detector,
                          const Options& options) {
        return FailureOf([&] { reach(board, detector, options); });
    }
};

TEST_F(BenchAcquisitionTest, RefusesUnknownNamesAndBadOptions) {
    struct Case {
        const char* board;
        const char* detector;
        Options options;
        const char* error;
    };
    const std::vector<Case> cases = {
        {"AcqFoo", "Vk7180c", Path7x80("192.168.37.130"),
         "unknown board name \"AcqFoo\" (known: AcqEth, AcqRDXPv1, AcqRDXPv2)"},
        {"AcqRDXPv1", "Vk7180", Path7x80("192.168.37.130"),
         "unknown detector name \"Vk7180\" (known: Vk6080K, Vk7180c, Vk6080QL, Vk7380TWc, "
         "Vk6080MVcs)"},
        {"AcqRDXPv1", "Vk7180c", One("detector.path", "192.168.37.130:40000"),
         "option detector.path of board AcqRDXPv1: wrong port 40000 in \"192.168.37.130:40000\": "
         "a Vk7180c detector listens on 10001"},
        {"AcqEth", "Vk6080K", One("detector.path", "192.168.0.2:10001"),
         "option detector.path of board AcqEth: wrong port 10001 in \"192.168.0.2:10001\": a "
         "Vk6080K detector listens on 40000"},
        {"AcqEth", "Vk6080K", One("detector.path", "192.168.0.2"),
         "option detector.path of board AcqEth: malformed \"192.168.0.2\": expected "
         "ADDRESS:40000"},
        {"AcqEth", "Vk6080K", One("detector.path", "192.168.0:40000"),
         "option detector.path of board AcqEth: malformed \"192.168.0:40000\": expected "
         "ADDRESS:40000"},
        {"AcqRDXPv2", "Vk6080QL", PathRdxp2("192.168.1.20", "192.168.1.1"),
         "unknown option detector.path for detector Vk6080QL"},
        {"AcqRDXPv2", "Vk6080QL", One("local.path", "192.168.1.1"),
         "option detector.path.0 is not set for detector Vk6080QL"},
        {"AcqRDXPv2", "Vk6080MVcs", PathRdxp2("192.168.3.20:10001", "192.168.3.1"),
         "option detector.path of board AcqRDXPv2: malformed \"192.168.3.20:10001\": expected a "
         "dotted address such as 192.168.1.20"},
        {"AcqRDXPv2", "Vk7380TWc", PathRdxp2("10.0.0.20", "10.0.0.1/16"),
         "option local.path of board AcqRDXPv2: malformed \"10.0.0.1/16\": expected a dotted "
         "address such as 192.168.1.20"},
        {"AcqRDXPv2", "Vk7380TWc",
         Options{{"detector.path", "10.0.0.20"}, {"protocol.traces.show", "off"}},
         "option protocol.traces.show of board AcqRDXPv2: malformed \"off\": expected yes or no"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.error, failureOf(c.board, c.detector, c.options))
            << c.board << " " << c.detector;
        acq::AcquisitionManager::manager().clear();
    }
}

TEST_F(BenchAcquisitionTest, ADetectorIsOnlyReachedThroughItsFamilysBoard) {
    acq::AcquisitionManager& manager = acq::AcquisitionManager::manager();
    manager.init();
    manager.scanBoards("AcqEth");
    manager.scanDetectors("Vk7180c", boost::make_shared<Parameter>());
    manager.getDetectorOptionsParser("Vk7180c").applyOptions(Hardware(Path7x80("10.0.37.130")),
                                                             true);
    try {
        manager.getDetector("Vk7180c", manager.getBoard("AcqEth"));
        FAIL() << "reached a 7x80 through the 6080K board";
    } catch (const std::exception& error) {
        EXPECT_STREQ("a Vk7180c detector is reached through board AcqRDXPv1, not AcqEth",
                     error.what());
    }
}

TEST_F(BenchAcquisitionTest, AnOptionGroupOtherThanHardwareIsRefused) {
    acq::AcquisitionManager& manager = acq::AcquisitionManager::manager();
    manager.init();
    manager.scanBoards("AcqEth");
    acq::OptionGroups groups = Hardware(Path6080K("192.168.0.2"));
    groups[0].name = "network";
    EXPECT_THROW(manager.getBoardOptionsParser("AcqEth").applyOptions(groups, true),
                 std::exception);
    EXPECT_THROW(manager.getDetectorOptionsParser("Vk6080K"), std::exception);
    manager.clear();
    EXPECT_THROW(manager.scanBoards("AcqEth"), std::exception); // init() again first
}

TEST_F(BenchAcquisitionTest, OpenFailsWhenNoDetectorOfTheFamilyAnswers) {
    EXPECT_EQ("no Vk7180c detector answers at 192.168.37.131:10001",
              failureOf("AcqRDXPv1", "Vk7180c", Path7x80("192.168.37.131")));
    // The 6080K's address is no 7x80's.
    EXPECT_EQ("no Vk7180c detector answers at 192.168.0.2:10001",
              failureOf("AcqRDXPv1", "Vk7180c", Path7x80("192.168.0.2")));
    EXPECT_EQ("no Vk6080QL detector answers at 192.168.3.20",
              failureOf("AcqRDXPv2", "Vk6080QL", PathNq2("192.168.3.20", "192.168.3.1")));
    store.open("7380")->setFault("offline", true);
    EXPECT_EQ("no Vk7180c detector answers at 192.168.37.130:10001",
              failureOf("AcqRDXPv1", "Vk7180c", Path7x80("192.168.37.130")));
    EXPECT_NO_THROW(reach("AcqRDXPv1", "Vk7180c", Path7x80("10.0.37.130")));
    EXPECT_EQ("open failed: no Vk7180c detector answers at 192.168.37.130:10001",
              messages.at(messages.size() - 2));
}

TEST_F(BenchAcquisitionTest, OpenOnAMissingBenchSaysItIsEmpty) {
    testing::ScratchBench empty;
    EXPECT_EQ("no Vk6080K detector answers at 192.168.0.2:40000 (the bench at " +
                  empty.root().string() + " is empty: velkor-bench init sets one up)",
              failureOf("AcqEth", "Vk6080K", Path6080K("192.168.0.2")));
}

TEST_F(BenchAcquisitionTest, EachFamilyOffersItsExtensions) {
    struct Case {
        const char* board;
        const char* detector;
        Options options;
        std::string extensions; // names in their order, one blank between
        bool wifi;
    };
    const std::vector<Case> cases = {
        {"AcqEth", "Vk6080K", Path6080K("192.168.0.2"), "connection file", false},
        {"AcqRDXPv1", "Vk7180c", Path7x80("192.168.37.130"), "connection file", false},
        {"AcqRDXPv2", "Vk6080QL", PathNq2("192.168.2.20", "192.168.2.1"),
         "connection file network_configuration", true},
        {"AcqRDXPv2", "Vk7380TWc", PathRdxp2("10.0.0.20", "10.0.0.1"),
         "connection network_configuration", false},
        {"AcqRDXPv2", "Vk6080MVcs", PathRdxp2("192.168.3.20", "192.168.3.1"),
         "connection file network_configuration", true},
    };
    for (const Case& c : cases) {
        const auto detector = reach(c.board, c.detector, c.options);
        std::string names;
        for (const auto& extension : detector->extensions) {
            names += (names.empty() ? "" : " ") + extension.first;
        }
        EXPECT_EQ(c.extensions, names) << c.detector;
        EXPECT_EQ(c.wifi, static_cast<bool>(detector->getWifi())) << c.detector;
        if (detector->extensions.count("file") != 0) {
            EXPECT_TRUE(acq::extension<acq::FileIface>(detector->extensions, "file"));
        }
        EXPECT_TRUE(acq::extension<acq::ConnectionIface>(detector->extensions, "connection"));
        detector->close();
        acq::AcquisitionManager::manager().clear();
    }
}

TEST_F(BenchAcquisitionTest, MissingFaultsTakeAnExtensionAway) {
    {
        auto session = store.open("6080MV");
        session->setFault("missing:file", true);
        session->setFault("missing:wifi", true);
    }
    const auto detector =
        reach("AcqRDXPv2", "Vk6080MVcs", PathRdxp2("192.168.3.20", "192.168.3.1"));
    EXPECT_FALSE(acq::extension<acq::FileIface>(detector->extensions, "file"));
    EXPECT_TRUE(
        acq::extension<acq::NetworkConfigIface>(detector->extensions, "network_configuration"));
    EXPECT_FALSE(detector->getWifi());
}

TEST_F(BenchAcquisitionTest, A7x80KeepsItsAddressUntilRebooted) {
    auto detector = reach("AcqRDXPv1", "Vk7180c", Path7x80("192.168.37.130"));
    const auto file = acq::extension<acq::FileIface>(detector->extensions, "file");
    acq::Bytes bytes;
    file->readFile(206, bytes);
    EXPECT_EQ(detector_files::MakeRegisterFile({192, 168, 37, 130}, {192, 168, 37, 131}), bytes);
    const acq::Bytes renewed = detector_files::MakeRegisterFile({10, 0, 37, 132}, {10, 0, 37, 133});
    file->writeFile(206, renewed);
    detector->close();
    EXPECT_THROW(file->readFile(206, bytes), std::exception);
    acq::AcquisitionManager::manager().clear();

    // Still at the old address, with the new file.
    detector = reach("AcqRDXPv1", "Vk7180c", Path7x80("192.168.37.130"));
    acq::extension<acq::FileIface>(detector->extensions, "file")->readFile(206, bytes);
    EXPECT_EQ(renewed, bytes);
    detector->close();
    acq::AcquisitionManager::manager().clear();
    EXPECT_EQ("no Vk7180c detector answers at 10.0.37.132:10001",
              failureOf("AcqRDXPv1", "Vk7180c", Path7x80("10.0.37.132")));
    acq::AcquisitionManager::manager().clear();

    store.open("7380")->reboot();
    EXPECT_NO_THROW(reach("AcqRDXPv1", "Vk7180c", Path7x80("10.0.37.132")));
}

TEST_F(BenchAcquisitionTest, ARefusedFileWriteThrowsAndStoresNothing) {
    const auto detector = reach("AcqEth", "Vk6080K", Path6080K("192.168.0.2"));
    const auto file = acq::extension<acq::FileIface>(detector->extensions, "file");
    acq::Bytes bytes;
    file->readFile(68, bytes);
    const acq::Bytes shorter(bytes.begin(), bytes.end() - 1);
    EXPECT_THROW(file->writeFile(68, shorter), std::exception);
    EXPECT_THROW(file->writeFile(206, bytes), std::exception);
    acq::Bytes again;
    file->readFile(68, again);
    EXPECT_EQ(bytes, again);
    EXPECT_EQ("file 68 not written: file 68 refused: an interface file has 68 bytes, not 67",
              messages.at(2));
}

// A whole structure followed by more bytes is taken and kept byte for byte.
TEST_F(BenchAcquisitionTest, AFileWithTrailingBytesIsStoredAsGiven) {
    const auto detector = reach("AcqRDXPv1", "Vk7180c", Path7x80("192.168.37.130"));
    const auto file = acq::extension<acq::FileIface>(detector->extensions, "file");
    acq::Bytes bytes;
    file->readFile(206, bytes);
    bytes.insert(bytes.end(), {0xCA, 0xFE, 0x00});
    file->writeFile(206, bytes);
    acq::Bytes again;
    file->readFile(206, again);
    EXPECT_EQ(bytes, again);
    EXPECT_EQ(156u, again.size());
}

TEST_F(BenchAcquisitionTest, AnNq2TakesNewAddressesWhenTheyAreApplied) {
    const auto detector = reach("AcqRDXPv2", "Vk6080QL", PathNq2("192.168.1.20", "192.168.1.1"));
    const auto network =
        acq::extension<acq::NetworkConfigIface>(detector->extensions, "network_configuration");
    const auto connection =
        acq::extension<acq::ConnectionIface>(detector->extensions, "connection");
    std::string address;
    std::uint16_t value = 0;
    std::uint16_t commandPort = 0;
    std::uint16_t imagePort = 0;
    network->readDetectorAddress(address, value);
    EXPECT_EQ("192.168.1.20", address);
    EXPECT_EQ(0x00A5, value);
    network->readHostAddress(address, commandPort, imagePort);
    EXPECT_EQ("192.168.1.1/24", address);
    EXPECT_EQ(2063, commandPort);
    EXPECT_EQ(6018, imagePort);
    EXPECT_TRUE(network->writeAddresses("192.168.1.30", value, "192.168.1.2/24", 2073, 6028));
    connection->applyNetworkConfig();
    detector->close();
    acq::AcquisitionManager::manager().clear();

    EXPECT_EQ("no Vk6080QL detector answers at 192.168.1.20",
              failureOf("AcqRDXPv2", "Vk6080QL", PathNq2("192.168.1.20", "192.168.1.1")));
    acq::AcquisitionManager::manager().clear();
    EXPECT_NO_THROW(reach("AcqRDXPv2", "Vk6080QL", PathNq2("192.168.1.30", "192.168.1.2")));
    EXPECT_EQ(1u, store.find("6080QL")->applyNetworkConfigCalls);
}

TEST_F(BenchAcquisitionTest, RefuseWriteAnswersFalseAndNothingIsApplied) {
    store.open("7380TW")->setFault("refuse-write", true);
    const auto detector = reach("AcqRDXPv2", "Vk7380TWc", PathRdxp2("10.0.0.20", "10.0.0.1"));
    const auto network =
        acq::extension<acq::NetworkConfigIface>(detector->extensions, "network_configuration");
    EXPECT_FALSE(network->writeAddresses("10.0.1.20", 1, "10.0.0.1/16", 2063, 6018));
    EXPECT_EQ("addresses refused: the detector refuses to store addresses (fault refuse-write)",
              messages.back());
    detector->close();
    EXPECT_EQ("10.0.0.20", store.find("7380TW")->storedAddress);
}

TEST_F(BenchAcquisitionTest, TheLinkTextTellsCableFromWifiByParity) {
    const auto cable = reach("AcqRDXPv2", "Vk6080QL", PathNq2("192.168.1.20", "192.168.1.1"));
    const std::string cableText = cable->getWifi()->getLinkText();
    const auto wifi = reach("AcqRDXPv2", "Vk6080QL", PathNq2("192.168.2.20", "192.168.2.1"));
    const std::string wifiText = wifi->getWifi()->getLinkText();
    const auto lastNumber = [](const std::string& text) {
        return std::stoul(text.substr(text.rfind(':') + 1), nullptr, 16);
    };
    EXPECT_EQ(0u, lastNumber(cableText) % 2) << cableText;
    EXPECT_EQ(1u, lastNumber(wifiText) % 2) << wifiText;
    EXPECT_EQ("VK-4050QL", wifi->getWifi()->getSsid());
}

TEST_F(BenchAcquisitionTest, TheUserConfigurationTravelsAsADocument) {
    const auto detector =
        reach("AcqRDXPv2", "Vk6080MVcs", PathRdxp2("192.168.3.20", "192.168.3.1"));
    const auto file = acq::extension<acq::FileIface>(detector->extensions, "file");
    Document document;
    file->loadUserConfig(document);
    EXPECT_EQ("01", document.tree().get<std::string>("ucf.wifi_enable"));
    document.tree().put("ucf.wifi_enable", "00");
    file->saveUserConfig(document);
    file->applyUserConfig(true);
    EXPECT_EQ("user configuration applied over cable: Wi-Fi off", messages.back());
    Document reread;
    file->loadUserConfig(reread);
    EXPECT_EQ("00", reread.tree().get<std::string>("ucf.wifi_enable"));
    EXPECT_EQ("1E", reread.tree().get<std::string>("ucf.standby_delay"));
    detector->close();
    EXPECT_EQ(1u, store.find("6080MV")->applyUserConfigCalls);
    EXPECT_EQ(true, *store.find("6080MV")->lastUserConfigOverCable);
}

TEST_F(BenchAcquisitionTest, MessagesTellWhatTheDetectorDoesButNeverThePassword) {
    const auto detector =
        reach("AcqRDXPv2", "Vk6080MVcs", PathRdxp2("192.168.3.20", "192.168.3.1"));
    const auto network =
        acq::extension<acq::NetworkConfigIface>(detector->extensions, "network_configuration");
    acq::extension<acq::ConnectionIface>(detector->extensions, "connection")
        ->setHostName("WORKSTATION-4", boost::none);
    network->writeSsidAndPassword("WARD-7", "Tr0ub4dor&3x");
    EXPECT_THROW(network->writeSsidAndPassword("WARD-7", "Tr0ub"), std::exception);
    detector->close();
    const std::vector<std::string> expected = {
        "opened detector 6080MV (model 6080MV) at 192.168.3.20",
        "host name set to \"WORKSTATION-4\"",
        "SSID \"WARD-7\" and its password stored",
        "SSID and password not stored: password refused: a Wi-Fi password has 8 to 63 printable "
        "characters",
        "closed",
    };
    EXPECT_EQ(expected, messages);
    EXPECT_EQ("WORKSTATION-4", store.find("6080MV")->hostName);
}

// What a hand-edited bench holds reaches the user's log escaped.
TEST_F(BenchAcquisitionTest, MessagesEscapeTheTextsOfTheBench) {
    testing::EditRecord(scratch.root(), "6080MV", [](DetectorRecord& record) {
        record.state.storedAddress = "\x1B]0;t\a";
        record.state.hostAddress = "\xC2\x9B"
                                   "1m";
        record.state.pendingApply = true;
    });
    testing::AddByHand(scratch.root(), "7180", "X\x1B[5m", "10.0.37.150");
    const auto detector =
        reach("AcqRDXPv2", "Vk6080MVcs", PathRdxp2("192.168.3.20", "192.168.3.1"));
    const auto network =
        acq::extension<acq::NetworkConfigIface>(detector->extensions, "network_configuration");
    std::string address;
    std::uint16_t value = 0;
    std::uint16_t imagePort = 0;
    network->readDetectorAddress(address, value);
    EXPECT_EQ("\x1B]0;t\a", address);
    network->readHostAddress(address, value, imagePort);
    acq::extension<acq::ConnectionIface>(detector->extensions, "connection")->applyNetworkConfig();
    EXPECT_NO_THROW(reach("AcqRDXPv1", "Vk7180c", Path7x80("10.0.37.150")));
    testing::AddByHand(scratch.root(), "7180", "Y\x1B[6m", "10.0.37.151");
    testing::EditRecord(scratch.root(), "Y\x1B[6m",
                        [](DetectorRecord& record) { record.state.address = "10.0.37.130"; });
    const std::string conflict = failureOf("AcqRDXPv1", "Vk7180c", Path7x80("10.0.37.130"));
    const std::vector<std::string> expected = {
        "opened detector 6080MV (model 6080MV) at 192.168.3.20",
        "detector address read: \\x1B]0;t\\x07",
        "host address read: \\xC2\\x9B1m, ports 2063/6018",
        "network configuration applied: the detector answers at \\x1B]0;t\\x07 now",
        "opened detector X\\x1B[5m (model 7180) at 10.0.37.150:10001",
        "open failed: " + conflict,
    };
    EXPECT_EQ(expected, messages);
    EXPECT_EQ("2 Vk7180c detectors answer at 10.0.37.130:10001 (7180, Y\\x1B[6m): address conflict",
              conflict);
}

TEST_F(BenchAcquisitionTest, ASecondRunOnTheSameDetectorWaitsThenFails) {
    reach("AcqRDXPv1", "Vk7180c", Path7x80("192.168.37.130"));
    EXPECT_EQ("detector 7380 is in use by another run: gave up after 200 ms",
              failureOf("AcqRDXPv1", "Vk7180c", Path7x80("192.168.37.130")));
    opened.front()->close();
    EXPECT_NO_THROW(reach("AcqRDXPv1", "Vk7180c", Path7x80("192.168.37.130")));
}

TEST_F(BenchAcquisitionTest, TheDetectorNeedsAnOpenBoard) {
    acq::AcquisitionManager& manager = acq::AcquisitionManager::manager();
    const acq::OptionGroups groups = Hardware(Path6080K("192.168.0.2"));
    manager.init();
    manager.scanBoards("AcqEth");
    manager.getBoardOptionsParser("AcqEth").applyOptions(groups, true);
    const auto board = manager.getBoard("AcqEth");
    manager.scanDetectors("Vk6080K", boost::make_shared<Parameter>());
    manager.getDetectorOptionsParser("Vk6080K").applyOptions(groups, true);
    const auto detector = manager.getDetector("Vk6080K", board);
    try {
        detector->open(true);
        FAIL() << "opened through a closed board";
    } catch (const std::exception& error) {
        EXPECT_STREQ("board AcqEth is not open", error.what());
    }
}

} // namespace
} // namespace bench
} // namespace velkor
