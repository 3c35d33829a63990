#include "detector/6080mv/vk6080mv_ip_manager.h"
#include "detector/testing/family_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using ::testing::_;
using ::testing::Return;
using ::testing::Throw;

using Vk6080MVSSIDManagerTest =
    detector_testing::NetworkSsidManagerTest<Vk6080MVIpManager::SSIDManager>;

TEST_F(Vk6080MVSSIDManagerTest, NewSsidAndPasswordAreWrittenAndReportedAsChanged) {
    manager.SetSSID("ward-4");
    manager.SetPasswd("s3cret");
    EXPECT_CALL(*wifi, getSsid()).WillOnce(Return("ward-3"));
    EXPECT_CALL(*network, writeSsidAndPassword("ward-4", "s3cret"));
    EXPECT_TRUE(manager.WriteConfig());
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(Vk6080MVSSIDManagerTest, NothingWrittenIsReportedAsUnchangedWithoutALogLine) {
    struct Case {
        const char* current;
        const char* ssid;
        const char* passwd; // nullptr: never set
    };
    const Case cases[] = {
        {"ward-4", "ward-4", "s3cret"}, // the detector already has this SSID
        {"ward-3", "ward-4", nullptr},  // password still "unknown"
        {"ward-3", "unknown", "s3cret"},
    };
    for (const Case& c : cases) {
        Vk6080MVIpManager::SSIDManager fresh{network, wifi};
        fresh.SetSSID(c.ssid);
        if (c.passwd != nullptr) {
            fresh.SetPasswd(c.passwd);
        }
        EXPECT_CALL(*wifi, getSsid()).WillOnce(Return(c.current));
        // writeSsidAndPassword is a strict mock: a call would fail the test.
        EXPECT_FALSE(fresh.WriteConfig()) << c.ssid;
    }
    EXPECT_TRUE(log.Lines().empty());
}

TEST_F(Vk6080MVSSIDManagerTest, ErrorsPropagate) {
    manager.SetSSID("ward-4");
    manager.SetPasswd("s3cret");
    EXPECT_CALL(*wifi, getSsid()).WillOnce(Return("ward-3"));
    EXPECT_CALL(*network, writeSsidAndPassword(_, _))
        .WillOnce(Throw(std::runtime_error("link lost")));
    EXPECT_THROW(manager.WriteConfig(), std::runtime_error);
}

} // namespace
