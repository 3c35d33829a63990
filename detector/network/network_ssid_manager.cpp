#include "detector/network/network_ssid_manager.h"

NetworkSsidManager::NetworkSsidManager(
    const boost::shared_ptr<mirl::acquisition::NetworkConfigIface>& network,
    const boost::shared_ptr<mirl::acquisition::WifiIface>& wifi)
    : networkExtension(network), wifiExtension(wifi) {}

void NetworkSsidManager::ReadConfig() {
    ssid = wifiExtension->getSsid();
}
