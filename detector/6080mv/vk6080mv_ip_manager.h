#pragma once

#include "detector/detector_ip_manager_iface.h"
#include "detector/network/network_ip_manager.h"
#include "detector/network/network_ssid_manager.h"
#include "detector/network/network_wifi_manager.h"
#include "platform/acquisition/extensions.h"

#include <boost/shared_ptr.hpp>

#include <string>

// 6080MV: the nQ2 pieces, with an SSID write that skips an unchanged SSID.
class Vk6080MVIpManager : public DetectorIpManagerIface {
public:
    static constexpr const char* BoardName = "AcqRDXPv2";
    static constexpr const char* DetectorName = "Vk6080MVcs";

    class IpManager : public NetworkIpManager {
    public:
        using NetworkIpManager::NetworkIpManager;
    };

    class SSIDManager : public NetworkSsidManager {
    public:
        using NetworkSsidManager::NetworkSsidManager;
        // True exactly when the SSID and password were written: the SSID
        // differs from the detector's and neither is "unknown". Errors propagate.
        bool WriteConfig() override;
    };

    class WifiManager : public NetworkWifiManager {
    public:
        using NetworkWifiManager::NetworkWifiManager;
    };

    ~Vk6080MVIpManager() override = default;

    void Init(const boost::shared_ptr<mirl::acquisition::Detector>& detector) override;
    std::string GetBoardName() override { return BoardName; }
    std::string GetDetectorName() override { return DetectorName; }
    void FillDetectorParameter(DetectorParameter& parameter) override;
    void FillOptions(mirl::acquisition::OptionGroups& options, const std::string& detectorIp,
                     const std::string& peerIp) override;
    bool IsConnectedByCable() override;
    boost::shared_ptr<IpManagerIface> GetIpManager() override { return ipManager; }
    boost::shared_ptr<SSIDManagerIface> GetSSIDManager() override { return ssidManager; }
    boost::shared_ptr<WifiManagerIface> GetWifiManager() override { return wifiManager; }

private:
    boost::shared_ptr<mirl::acquisition::WifiIface> wifiExtension;
    boost::shared_ptr<IpManager> ipManager;
    boost::shared_ptr<SSIDManager> ssidManager;
    boost::shared_ptr<WifiManager> wifiManager;
};
