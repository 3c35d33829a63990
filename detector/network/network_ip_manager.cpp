#include "detector/network/network_ip_manager.h"

#include "platform/tools/ip_address_utils.h"

NetworkIpManager::NetworkIpManager(
    const boost::shared_ptr<mirl::acquisition::ConnectionIface>& connection,
    const boost::shared_ptr<mirl::acquisition::NetworkConfigIface>& network)
    : connectionExtension(connection), networkExtension(network) {}

void NetworkIpManager::ReadConfig() {
    networkExtension->readDetectorAddress(detectorAddress, detectorValue);
    networkExtension->readHostAddress(hostAddress, commandPort, imagePort);
}

bool NetworkIpManager::WriteConfig() {
    commandPort =
        mirl::tools::IpAddressUtils::GetIpAssociatedPort(detectorAddress, CommandBasePort);
    imagePort = mirl::tools::IpAddressUtils::GetIpAssociatedPort(detectorAddress, ImageBasePort);
    const bool stored = networkExtension->writeAddresses(detectorAddress, detectorValue,
                                                         hostAddress, commandPort, imagePort);
    if (stored) {
        connectionExtension->applyNetworkConfig();
    }
    return stored;
}
