#include "detector/7380tw/vk7380tw_ip_manager.h"
#include "detector/testing/family_checks.h"
#include "platform/acquisition/testing/mock_detector.h"
#include "platform/acquisition/testing/mock_extensions.h"
#include "platform/tools/testing/log_capture.h"

#include <boost/make_shared.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using acquisition_testing::MockConnectionIface;
using acquisition_testing::MockDetector;
using acquisition_testing::MockNetworkConfigIface;
using detector_testing::ExpectNamesAndOptions;
using ::testing::ElementsAre;
using ::testing::NiceMock;
using ::testing::StrictMock;
using tools_testing::LogCapture;

boost::shared_ptr<StrictMock<MockDetector>> Detector(bool network, bool connection) {
    // Strict: Init must not ask for the Wi-Fi extension.
    auto detector = boost::make_shared<StrictMock<MockDetector>>();
    if (network) {
        detector->extensions["network_configuration"] =
            boost::shared_ptr<mirl::acquisition::NetworkConfigIface>(
                boost::make_shared<NiceMock<MockNetworkConfigIface>>());
    }
    if (connection) {
        detector->extensions["connection"] = boost::shared_ptr<mirl::acquisition::ConnectionIface>(
            boost::make_shared<NiceMock<MockConnectionIface>>());
    }
    return detector;
}

TEST(Vk7380TWIpManagerTest, NamesOptionsAndLink) {
    Vk7380TWIpManager family;
    EXPECT_TRUE(family.IsConnectedByCable());
    ExpectNamesAndOptions(family, "AcqRDXPv2", "Vk7380TWc", "10.0.0.20", "10.0.0.1",
                          {{"detector.path", "10.0.0.20"},
                           {"local.path", "10.0.0.1"},
                           {"protocol.traces.show", "no"},
                           {"protocol.statistics.show", "no"}});
}

TEST(Vk7380TWIpManagerTest, InitNeedsNeitherWifiNorFile) {
    Vk7380TWIpManager family;
    family.Init(Detector(true, true));
    EXPECT_TRUE(family.GetIpManager());
    EXPECT_FALSE(family.GetSSIDManager());
    EXPECT_FALSE(family.GetWifiManager());
    EXPECT_TRUE(family.IsConnectedByCable());
}

TEST(Vk7380TWIpManagerTest, InitNamesTheFirstMissingExtension) {
    struct Case {
        bool network;
        bool connection;
        const char* line;
    };
    const Case cases[] = {
        {false, false,
         "Vk7380TWIpManager::Init - impossible to retrieve detector's network configuration "
         "extension"},
        {false, true,
         "Vk7380TWIpManager::Init - impossible to retrieve detector's network configuration "
         "extension"},
        {true, false,
         "Vk7380TWIpManager::Init - impossible to retrieve detector's connection extension"},
    };
    for (const Case& c : cases) {
        LogCapture log;
        Vk7380TWIpManager family;
        EXPECT_THROW(family.Init(Detector(c.network, c.connection)), std::exception);
        EXPECT_THAT(log.Messages('E'), ElementsAre(c.line));
        EXPECT_FALSE(family.GetIpManager());
    }
}

} // namespace
