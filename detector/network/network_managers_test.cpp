// The pieces that the nQ2, 7380TW and 6080MV managers share, run against each family's classes.
#include "detector/6080mv/vk6080mv_ip_manager.h"
#include "detector/7380tw/vk7380tw_ip_manager.h"
#include "detector/detector_parameter.h"
#include "detector/nq2/vknq2_ip_manager.h"
#include "detector/testing/family_checks.h"
#include "platform/acquisition/testing/mock_extensions.h"
#include "platform/tools/ip_address_utils.h"
#include "platform/tools/testing/log_capture.h"

#include <boost/lexical_cast.hpp>
#include <boost/make_shared.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using acquisition_testing::MockConnectionIface;
using acquisition_testing::MockFileIface;
using acquisition_testing::MockNetworkConfigIface;
using acquisition_testing::MockWifiIface;
using detector_testing::ExpectInitFails;
using detector_testing::ExpectManagers;
using detector_testing::ExpectNamesAndOptions;
using namespace ::testing;
using tools_testing::LogCapture;

// What the test expects of each family.
struct NQ2 {
    using Family = VknQ2IpManager;
    static constexpr const char* Name = "VknQ2IpManager";
    static constexpr const char* Board = "AcqRDXPv2";
    static constexpr const char* Detector = "Vk6080QL";
    static constexpr const char* PathOption = "detector.path.0";
};
struct TW {
    using Family = Vk7380TWIpManager;
    static constexpr const char* Name = "Vk7380TWIpManager";
    static constexpr const char* Board = "AcqRDXPv2";
    static constexpr const char* Detector = "Vk7380TWc";
    static constexpr const char* PathOption = "detector.path";
};
struct MV {
    using Family = Vk6080MVIpManager;
    static constexpr const char* Name = "Vk6080MVIpManager";
    static constexpr const char* Board = "AcqRDXPv2";
    static constexpr const char* Detector = "Vk6080MVcs";
    static constexpr const char* PathOption = "detector.path";
};

// ---- Names, options and scan parameter of the three families.

template <typename Kind> class NetworkFamilyTest : public ::testing::Test {};
using Families = ::testing::Types<NQ2, TW, MV>;
TYPED_TEST_SUITE(NetworkFamilyTest, Families);

TYPED_TEST(NetworkFamilyTest, NamesOptionsAndScanParameter) {
    typename TypeParam::Family family;
    ExpectNamesAndOptions(family, TypeParam::Board, TypeParam::Detector, "10.0.0.20", "10.0.0.1",
                          {{TypeParam::PathOption, "10.0.0.20"},
                           {"local.path", "10.0.0.1"},
                           {"protocol.traces.show", "no"},
                           {"protocol.statistics.show", "no"}});

    DetectorParameter parameter;
    family.FillDetectorParameter(parameter);
    EXPECT_EQ(parameter.getName(), "NotUsed");
    EXPECT_EQ(parameter.getModes().count(1), 1u);
}

// ---- IpManager: the same for the three families.

template <typename Manager> class NetworkIpManagerTest : public ::testing::Test {
protected:
    boost::shared_ptr<StrictMock<MockConnectionIface>> connection =
        boost::make_shared<StrictMock<MockConnectionIface>>();
    boost::shared_ptr<StrictMock<MockNetworkConfigIface>> network =
        boost::make_shared<StrictMock<MockNetworkConfigIface>>();
    Manager manager{connection, network};
};

using IpManagers = ::testing::Types<VknQ2IpManager::IpManager, Vk7380TWIpManager::IpManager,
                                    Vk6080MVIpManager::IpManager>;
TYPED_TEST_SUITE(NetworkIpManagerTest, IpManagers);

TYPED_TEST(NetworkIpManagerTest, AddressesStartAsUnkown) {
    EXPECT_EQ(this->manager.GetDetectorIPAddress(), "unkown");
    EXPECT_EQ(this->manager.GetHostIPAddress(), "unkown");
}

TYPED_TEST(NetworkIpManagerTest, WritesNewAddressesWithPortsOfTheNewDetectorAddress) {
    {
        InSequence order;
        EXPECT_CALL(*this->network, readDetectorAddress(_, _))
            .WillOnce(DoAll(SetArgReferee<0>("192.168.1.20"), SetArgReferee<1>(0x1234)));
        EXPECT_CALL(*this->network, readHostAddress(_, _, _))
            .WillOnce(
                DoAll(SetArgReferee<0>("192.168.1.1"), SetArgReferee<1>(1), SetArgReferee<2>(2)));
    }
    this->manager.ReadConfig();
    EXPECT_EQ(this->manager.GetDetectorIPAddress(), "192.168.1.20");
    EXPECT_EQ(this->manager.GetHostIPAddress(), "192.168.1.1");

    // Unchecked: a CIDR host text goes through as it is.
    this->manager.SetHostIPAddress("10.0.0.9/24");
    this->manager.SetDetectorIPAddress("10.0.0.20");
    const std::uint16_t command =
        mirl::tools::IpAddressUtils::GetIpAssociatedPort("10.0.0.20", 2043);
    const std::uint16_t image = mirl::tools::IpAddressUtils::GetIpAssociatedPort("10.0.0.20", 5998);
    ASSERT_NE(command, mirl::tools::IpAddressUtils::GetIpAssociatedPort("10.0.0.9", 2043));
    {
        InSequence order;
        EXPECT_CALL(*this->network, writeAddresses(Eq("10.0.0.20"), Eq(0x1234), Eq("10.0.0.9/24"),
                                                   Eq(command), Eq(image)))
            .WillOnce(Return(true));
        EXPECT_CALL(*this->connection, applyNetworkConfig());
    }
    EXPECT_TRUE(this->manager.WriteConfig());
}

TYPED_TEST(NetworkIpManagerTest, RefusedWriteIsNotApplied) {
    EXPECT_CALL(*this->network, writeAddresses(_, _, _, _, _)).WillOnce(Return(false));
    // applyNetworkConfig is a strict mock: a call would fail the test.
    EXPECT_FALSE(this->manager.WriteConfig());
}

// ---- Init of the two families with all three parts.

struct Extensions {
    bool network;
    bool wifi;
    bool file;
    bool connection;
    const char* missing; // the one message expected, or nullptr
};

const Extensions InitCases[] = {
    {false, false, false, false, "network configuration"},
    {false, true, true, true, "network configuration"},
    {true, false, false, false, "wifi"},
    {true, false, true, true, "wifi"},
    {true, true, false, false, "file"},
    {true, true, false, true, "file"},
    {true, true, true, false, "connection"},
    {true, true, true, true, nullptr},
};

auto DetectorWith(const Extensions& e) {
    std::vector<std::string> names;
    if (e.network) {
        names.push_back("network_configuration");
    }
    if (e.file) {
        names.push_back("file");
    }
    if (e.connection) {
        names.push_back("connection");
    }
    const auto detector = detector_testing::DetectorWith(names);
    const boost::shared_ptr<mirl::acquisition::WifiIface> wifi =
        e.wifi ? boost::make_shared<NiceMock<MockWifiIface>>() : nullptr;
    ON_CALL(*detector, getWifi()).WillByDefault(Return(wifi));
    return detector;
}

template <typename Family> class FullNetworkFamilyTest : public ::testing::Test {};

using FullFamilies = ::testing::Types<NQ2, MV>;
TYPED_TEST_SUITE(FullNetworkFamilyTest, FullFamilies);

TYPED_TEST(FullNetworkFamilyTest, InitNamesTheFirstMissingExtension) {
    for (const Extensions& e : InitCases) {
        typename TypeParam::Family family;
        const auto detector = DetectorWith(e);
        if (e.missing == nullptr) {
            LogCapture log;
            family.Init(detector);
            EXPECT_TRUE(log.Messages('E').empty());
            ExpectManagers(family, true, true, true);
            continue;
        }
        ExpectInitFails(family, detector,
                        std::string(TypeParam::Name) +
                            "::Init - impossible to retrieve detector's " + e.missing +
                            " extension");
    }
}

TYPED_TEST(FullNetworkFamilyTest, ExtensionOfTheWrongTypeThrowsBadCast) {
    typename TypeParam::Family family;
    const auto detector = DetectorWith({true, true, true, true, nullptr});
    detector->extensions["connection"] = 42;
    EXPECT_THROW(family.Init(detector), boost::bad_any_cast);
}

TYPED_TEST(FullNetworkFamilyTest, LinkTextParityTellsTheLink) {
    typename TypeParam::Family family;
    const auto detector = DetectorWith({true, false, true, true, nullptr});
    const auto wifi = boost::make_shared<StrictMock<MockWifiIface>>();
    ON_CALL(*detector, getWifi())
        .WillByDefault(Return(boost::shared_ptr<mirl::acquisition::WifiIface>(wifi)));
    family.Init(detector);
    EXPECT_CALL(*wifi, getLinkText())
        .WillOnce(Return("eth:A"))
        .WillOnce(Return("wlan:1F"))
        .WillOnce(Return("nothing"));
    EXPECT_TRUE(family.IsConnectedByCable());
    EXPECT_FALSE(family.IsConnectedByCable());
    EXPECT_FALSE(family.IsConnectedByCable());
}

TYPED_TEST(FullNetworkFamilyTest, BeforeInitTheLinkIsNotACableAndNothingIsDereferenced) {
    LogCapture log;
    typename TypeParam::Family family;
    EXPECT_FALSE(family.IsConnectedByCable());
    EXPECT_THAT(log.Messages('E'), ElementsAre(std::string(TypeParam::Name) +
                                               "::IsConnectedByCable - no wifi extension"));
}

// ---- WifiManager: the switch in the user configuration document.

template <typename Manager> class NetworkWifiManagerTest : public ::testing::Test {
protected:
    // Loads a document "ucf" with the given children.
    void Load(const std::map<std::string, std::string>& children) {
        EXPECT_CALL(*file, loadUserConfig(_)).WillOnce(Invoke([children](GenericXmlFileInfos& d) {
            d.tree().put_child("ucf", boost::property_tree::ptree());
            for (const auto& child : children) {
                d.tree().put("ucf." + child.first, child.second);
            }
        }));
    }

    boost::shared_ptr<StrictMock<MockConnectionIface>> connection =
        boost::make_shared<StrictMock<MockConnectionIface>>();
    boost::shared_ptr<StrictMock<MockFileIface>> file =
        boost::make_shared<StrictMock<MockFileIface>>();
    Manager manager{connection, file};
};

using WifiManagers = ::testing::Types<VknQ2IpManager::WifiManager, Vk6080MVIpManager::WifiManager>;
TYPED_TEST_SUITE(NetworkWifiManagerTest, WifiManagers);

TYPED_TEST(NetworkWifiManagerTest, ReadsTheSwitch) {
    this->Load({{"wifi_enable", "01"}});
    EXPECT_TRUE(this->manager.ReadConfig());
    EXPECT_TRUE(this->manager.GetWifiEnable());
    this->Load({{"wifi_enable", "00"}});
    EXPECT_FALSE(this->manager.ReadConfig());
    EXPECT_FALSE(this->manager.GetWifiEnable());
}

TYPED_TEST(NetworkWifiManagerTest, DocumentWithoutTheSwitchReadsOffAndIsWrittenOff) {
    this->Load({{"other", "7"}});
    EXPECT_FALSE(this->manager.ReadConfig());

    std::string saved;
    std::string other;
    {
        InSequence order;
        EXPECT_CALL(*this->file, saveUserConfig(_)).WillOnce(Invoke([&](GenericXmlFileInfos& d) {
            saved = d.tree().get<std::string>("ucf.wifi_enable");
            other = d.tree().get<std::string>("ucf.other");
        }));
        EXPECT_CALL(*this->file, applyUserConfig(true));
        EXPECT_CALL(*this->connection, applyNetworkConfig());
    }
    EXPECT_TRUE(this->manager.WriteConfig(true));
    EXPECT_EQ(saved, "00");
    EXPECT_EQ(other, "7");
}

TYPED_TEST(NetworkWifiManagerTest, SwitchingOnOverWifiPassesTheLinkAndReportsTheWrite) {
    this->Load({{"wifi_enable", "00"}});
    this->manager.ReadConfig();
    this->manager.SetWifiEnable(true);

    std::string saved;
    {
        InSequence order;
        EXPECT_CALL(*this->file, saveUserConfig(_)).WillOnce(Invoke([&](GenericXmlFileInfos& d) {
            saved = d.tree().get<std::string>("ucf.wifi_enable");
        }));
        EXPECT_CALL(*this->file, applyUserConfig(false));
        EXPECT_CALL(*this->connection, applyNetworkConfig());
    }
    EXPECT_TRUE(this->manager.WriteConfig(false));
    EXPECT_EQ(saved, "01");
}

TYPED_TEST(NetworkWifiManagerTest, UnreadableSwitchPropagates) {
    this->Load({{"wifi_enable", " 01"}});
    EXPECT_THROW(this->manager.ReadConfig(), boost::bad_lexical_cast);
}

} // namespace
