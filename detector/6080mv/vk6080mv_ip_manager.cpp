#include "detector/6080mv/vk6080mv_ip_manager.h"

#include "detector/detector_parameter.h"
#include "detector/extension_lookup.h"
#include "detector/hardware_options.h"
#include "detector/network/link_text.h"
#include "platform/tools/logger.h"

#include <boost/make_shared.hpp>

void Vk6080MVIpManager::Init(const boost::shared_ptr<mirl::acquisition::Detector>& detector) {
    const auto network = ExtensionLookup::NetworkConfiguration(*detector, "Vk6080MVIpManager");
    const auto wifi = ExtensionLookup::Wifi(*detector, "Vk6080MVIpManager");
    const auto file = ExtensionLookup::File(*detector, "Vk6080MVIpManager");
    const auto connection = ExtensionLookup::Connection(*detector, "Vk6080MVIpManager");
    wifiExtension = wifi;
    ipManager = boost::make_shared<IpManager>(connection, network);
    ssidManager = boost::make_shared<SSIDManager>(network, wifi);
    wifiManager = boost::make_shared<WifiManager>(connection, file);
}

void Vk6080MVIpManager::FillDetectorParameter(DetectorParameter& parameter) {
    parameter.FillNotUsed();
}

void Vk6080MVIpManager::FillOptions(mirl::acquisition::OptionGroups& options,
                                    const std::string& detectorIp, const std::string& peerIp) {
    HardwareOptions()
        .Add("detector.path", detectorIp)
        .Add("local.path", peerIp)
        .Add("protocol.traces.show", "no")
        .Add("protocol.statistics.show", "no")
        .AppendTo(options);
}

bool Vk6080MVIpManager::IsConnectedByCable() {
    if (!wifiExtension) {
        LOG_ERROR("Vk6080MVIpManager::IsConnectedByCable - no wifi extension");
        return false;
    }
    return LinkText::IsCableLink(wifiExtension->getLinkText());
}

bool Vk6080MVIpManager::SSIDManager::WriteConfig() {
    const std::string current = wifiExtension->getSsid();
    if (current != ssid && BothSet()) {
        networkExtension->writeSsidAndPassword(ssid, passwd);
        return true;
    }
    return false;
}
