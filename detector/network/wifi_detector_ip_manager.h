#pragma once

#include "detector/detector_ip_manager_iface.h"
#include "detector/network/link_text.h"
#include "detector/network/network_ssid_manager.h"
#include "detector/network/network_wifi_manager.h"
#include "platform/acquisition/extensions.h"
#include "platform/tools/logger.h"

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <string>

// How a family takes a new SSID and password.
enum class SsidWrite {
    // Whenever neither is NotSet. Anything thrown is logged and reported as false.
    WhenBothSet,
    // Only when the SSID also differs from the one the detector reports, and
    // neither is NotSet. Nothing is logged and errors reach the caller.
    WhenChanged,
};

// The answers of a network family whose detector also has a Wi-Fi: its link
// text tells a cable from the Wi-Fi, and its SSID and Wi-Fi switch can be
// changed. `Traits` provides:
//   static constexpr const char* ClassName;          first word of every log line
//   static constexpr SsidWrite SsidWritePolicy;
template <typename Traits> class WifiDetectorIpManager : public DetectorIpManagerIface {
public:
    class SSIDManager : public NetworkSsidManager {
    public:
        using NetworkSsidManager::NetworkSsidManager;

        bool WriteConfig() override {
            if constexpr (Traits::SsidWritePolicy == SsidWrite::WhenBothSet) {
                try {
                    if (BothSet()) {
                        networkExtension->writeSsidAndPassword(ssid, passwd);
                        return true;
                    }
                    LOG_WARNING(Traits::ClassName << "::SSIDManager::WriteConfig - new ssid/pwd "
                                                     "have not been properly set");
                    return false;
                } catch (...) {
                    LOG_ERROR(Traits::ClassName << "::SSIDManager::WriteConfig - error trying to "
                                                   "write new ssid configuration");
                    return false;
                }
            } else {
                const std::string current = wifiExtension->getSsid();
                if (current != ssid && BothSet()) {
                    networkExtension->writeSsidAndPassword(ssid, passwd);
                    return true;
                }
                return false;
            }
        }
    };

    class WifiManager : public NetworkWifiManager {
    public:
        using NetworkWifiManager::NetworkWifiManager;
    };

    bool IsConnectedByCable() override {
        if (!wifiExtension) {
            LOG_ERROR(Traits::ClassName << "::IsConnectedByCable - no wifi extension");
            return false;
        }
        return link_text::IsCableLink(wifiExtension->getLinkText());
    }
    boost::shared_ptr<SSIDManagerIface> GetSSIDManager() override { return ssidManager; }
    boost::shared_ptr<WifiManagerIface> GetWifiManager() override { return wifiManager; }

protected:
    // Called by Init once every extension has been found.
    void AttachWifi(const boost::shared_ptr<mirl::acquisition::NetworkConfigIface>& network,
                    const boost::shared_ptr<mirl::acquisition::WifiIface>& wifi,
                    const boost::shared_ptr<mirl::acquisition::FileIface>& file,
                    const boost::shared_ptr<mirl::acquisition::ConnectionIface>& connection) {
        wifiExtension = wifi;
        ssidManager = boost::make_shared<SSIDManager>(network, wifi);
        wifiManager = boost::make_shared<WifiManager>(connection, file);
    }

private:
    boost::shared_ptr<mirl::acquisition::WifiIface> wifiExtension;
    boost::shared_ptr<SSIDManager> ssidManager;
    boost::shared_ptr<WifiManager> wifiManager;
};
