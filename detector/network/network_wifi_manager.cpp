#include "detector/network/network_wifi_manager.h"

NetworkWifiManager::NetworkWifiManager(
    const boost::shared_ptr<mirl::acquisition::ConnectionIface>& connection,
    const boost::shared_ptr<mirl::acquisition::FileIface>& file)
    : connectionExtension(connection), fileExtension(file) {}

bool NetworkWifiManager::ReadConfig() {
    fileExtension->loadUserConfig(userConfig);
    const boost::optional<bool> stored = userConfig.GetWifiEnable();
    wifiEnable = stored && *stored;
    return wifiEnable;
}

bool NetworkWifiManager::WriteConfig(bool connectedByCable) {
    userConfig.SetWifiEnable(wifiEnable);
    fileExtension->saveUserConfig(userConfig);
    fileExtension->applyUserConfig(connectedByCable);
    connectionExtension->applyNetworkConfig();
    return true;
}
