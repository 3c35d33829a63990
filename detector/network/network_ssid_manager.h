#pragma once

#include "detector/ssid_manager_iface.h"
#include "platform/acquisition/extensions.h"

#include <boost/shared_ptr.hpp>

#include <string>

// SSID part shared by the nQ2 and 6080MV managers; WifiDetectorIpManager::SSIDManager
// writes it as the family's SsidWrite says.
class NetworkSsidManager : public SSIDManagerIface {
public:
    NetworkSsidManager(const boost::shared_ptr<mirl::acquisition::NetworkConfigIface>& network,
                       const boost::shared_ptr<mirl::acquisition::WifiIface>& wifi);
    ~NetworkSsidManager() override = default;

    void ReadConfig() override;
    void SetSSID(const std::string& newSsid) override { ssid = newSsid; }
    void SetPasswd(const std::string& newPasswd) override { passwd = newPasswd; }
    std::string GetSSID() override { return ssid; }

protected:
    bool BothSet() const { return ssid != NotSet && passwd != NotSet; }

    boost::shared_ptr<mirl::acquisition::NetworkConfigIface> networkExtension;
    boost::shared_ptr<mirl::acquisition::WifiIface> wifiExtension;
    std::string ssid = NotSet;
    std::string passwd = NotSet;
};
