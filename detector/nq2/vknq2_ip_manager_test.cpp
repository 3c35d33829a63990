#include "detector/nq2/vknq2_ip_manager.h"
#include "detector/testing/family_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using detector_testing::ExpectManagers;
using namespace ::testing;

using VknQ2SSIDManagerTest = detector_testing::NetworkSsidManagerTest<VknQ2IpManager::SSIDManager>;

TEST(VknQ2IpManagerFamilyTest, ManagersAreEmptyBeforeInit) {
    VknQ2IpManager family;
    ExpectManagers(family, false, false, false);
}

TEST_F(VknQ2SSIDManagerTest, ReadsTheSsidFromTheWifiExtension) {
    EXPECT_EQ(manager.GetSSID(), "unknown");
    EXPECT_CALL(*wifi, getSsid()).WillOnce(Return("ward-3"));
    manager.ReadConfig();
    EXPECT_EQ(manager.GetSSID(), "ward-3");
}

TEST_F(VknQ2SSIDManagerTest, WritesSsidAndPasswordWhenBothAreSet) {
    manager.SetSSID("ward-4");
    manager.SetPasswd("s3cret");
    EXPECT_CALL(*network, writeSsidAndPassword("ward-4", "s3cret"));
    EXPECT_TRUE(manager.WriteConfig());
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(VknQ2SSIDManagerTest, UnsetSsidOrPasswordWritesNothingAndWarns) {
    struct Case {
        const char* ssid;
        const char* passwd; // nullptr: never set
    };
    const Case cases[] = {{"ward-4", nullptr}, {"unknown", "s3cret"}, {"ward-4", "unknown"}};
    for (const Case& c : cases) {
        VknQ2IpManager::SSIDManager fresh{network, wifi};
        log.Clear();
        fresh.SetSSID(c.ssid);
        if (c.passwd != nullptr) {
            fresh.SetPasswd(c.passwd);
        }
        // writeSsidAndPassword is a strict mock: a call would fail the test.
        EXPECT_FALSE(fresh.WriteConfig()) << c.ssid;
        EXPECT_THAT(log.Messages('W'),
                    ElementsAre("VknQ2IpManager::SSIDManager::WriteConfig - new ssid/pwd have "
                                "not been properly set"));
    }
}

TEST_F(VknQ2SSIDManagerTest, WriteErrorIsLoggedAndReportedAsFalse) {
    manager.SetSSID("ward-4");
    manager.SetPasswd("s3cret");
    EXPECT_CALL(*network, writeSsidAndPassword(_, _))
        .WillOnce(Throw(std::runtime_error("link lost")));
    EXPECT_FALSE(manager.WriteConfig());
    EXPECT_THAT(log.Messages('E'),
                ElementsAre("VknQ2IpManager::SSIDManager::WriteConfig - error trying to write new "
                            "ssid configuration"));
    EXPECT_EQ(log.All().find("s3cret"), std::string::npos);
}

} // namespace
