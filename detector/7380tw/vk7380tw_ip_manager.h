#pragma once

#include "detector/cabled_detector_ip_manager.h"
#include "detector/network/network_ip_manager.h"

#include <boost/shared_ptr.hpp>

#include <string>

// 7380TW: only its addresses can be changed, through the network
// configuration extension; always taken as cabled.
class Vk7380TWIpManager : public CabledDetectorIpManager {
public:
    static constexpr const char* BoardName = "AcqRDXPv2";
    static constexpr const char* DetectorName = "Vk7380TWc";

    class IpManager : public NetworkIpManager {
    public:
        using NetworkIpManager::NetworkIpManager;
    };

    ~Vk7380TWIpManager() override = default;

    void Init(const boost::shared_ptr<mirl::acquisition::Detector>& detector) override;
    std::string GetBoardName() override { return BoardName; }
    std::string GetDetectorName() override { return DetectorName; }
    void FillDetectorParameter(DetectorParameter& parameter) override;
    void FillOptions(mirl::acquisition::OptionGroups& options, const std::string& detectorIp,
                     const std::string& peerIp) override;
    boost::shared_ptr<IpManagerIface> GetIpManager() override { return ipManager; }

private:
    boost::shared_ptr<IpManager> ipManager;
};
