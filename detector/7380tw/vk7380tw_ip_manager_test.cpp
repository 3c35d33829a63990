#include "detector/7380tw/vk7380tw_ip_manager.h"
#include "detector/testing/family_checks.h"
#include "platform/acquisition/testing/mock_detector.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using detector_testing::ExpectInitFails;
using detector_testing::ExpectManagers;

// Strict: Init must not ask for the Wi-Fi extension.
auto Detector(const std::vector<std::string>& extensions) {
    return detector_testing::DetectorWith<::testing::StrictMock<acquisition_testing::MockDetector>>(
        extensions);
}

TEST(Vk7380TWIpManagerTest, InitNeedsNeitherWifiNorFileAndTheLinkIsACable) {
    Vk7380TWIpManager family;
    EXPECT_TRUE(family.IsConnectedByCable());
    family.Init(Detector({"network_configuration", "connection"}));
    ExpectManagers(family, true, false, false);
    EXPECT_TRUE(family.IsConnectedByCable());
}

TEST(Vk7380TWIpManagerTest, InitNamesTheFirstMissingExtension) {
    struct Case {
        std::vector<std::string> extensions;
        const char* line;
    };
    const Case cases[] = {
        {{},
         "Vk7380TWIpManager::Init - impossible to retrieve detector's network configuration "
         "extension"},
        {{"connection"},
         "Vk7380TWIpManager::Init - impossible to retrieve detector's network configuration "
         "extension"},
        {{"network_configuration"},
         "Vk7380TWIpManager::Init - impossible to retrieve detector's connection extension"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Vk7380TWIpManager family;
        ExpectInitFails(family, Detector(c.extensions), c.line);
    }
}

} // namespace
