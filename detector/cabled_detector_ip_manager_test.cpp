#include "detector/cabled_detector_ip_manager.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Nothing but what the base leaves to each family.
class BareCabledFamily : public CabledDetectorIpManager {
public:
    void Init(const boost::shared_ptr<mirl::acquisition::Detector>& /*detector*/) override {}
    std::string GetBoardName() override { return std::string(); }
    std::string GetDetectorName() override { return std::string(); }
    void FillDetectorParameter(DetectorParameter& /*parameter*/) override {}
    void FillOptions(mirl::acquisition::OptionGroups& /*options*/,
                     const std::string& /*detectorIp*/, const std::string& /*peerIp*/) override {}
    boost::shared_ptr<IpManagerIface> GetIpManager() override {
        return boost::shared_ptr<IpManagerIface>();
    }
};

TEST(CabledDetectorIpManagerTest, AlwaysCabledWithNeitherSsidNorWifiManager) {
    BareCabledFamily family;
    EXPECT_TRUE(family.IsConnectedByCable());
    EXPECT_FALSE(family.GetSSIDManager());
    EXPECT_FALSE(family.GetWifiManager());
}

} // namespace
