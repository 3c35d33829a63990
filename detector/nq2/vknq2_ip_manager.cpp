#include "detector/nq2/vknq2_ip_manager.h"

#include "detector/detector_parameter.h"
#include "detector/extension_lookup.h"
#include "detector/hardware_options.h"
#include "detector/network/link_text.h"
#include "platform/tools/logger.h"

#include <boost/make_shared.hpp>

void VknQ2IpManager::Init(const boost::shared_ptr<mirl::acquisition::Detector>& detector) {
    const auto network = ExtensionLookup::NetworkConfiguration(*detector, "VknQ2IpManager");
    const auto wifi = ExtensionLookup::Wifi(*detector, "VknQ2IpManager");
    const auto file = ExtensionLookup::File(*detector, "VknQ2IpManager");
    const auto connection = ExtensionLookup::Connection(*detector, "VknQ2IpManager");
    wifiExtension = wifi;
    ipManager = boost::make_shared<IpManager>(connection, network);
    ssidManager = boost::make_shared<SSIDManager>(network, wifi);
    wifiManager = boost::make_shared<WifiManager>(connection, file);
}

void VknQ2IpManager::FillDetectorParameter(DetectorParameter& parameter) {
    parameter.FillNotUsed();
}

void VknQ2IpManager::FillOptions(mirl::acquisition::OptionGroups& options,
                                 const std::string& detectorIp, const std::string& peerIp) {
    HardwareOptions()
        .Add("detector.path.0", detectorIp)
        .Add("local.path", peerIp)
        .Add("protocol.traces.show", "no")
        .Add("protocol.statistics.show", "no")
        .AppendTo(options);
}

bool VknQ2IpManager::IsConnectedByCable() {
    if (!wifiExtension) {
        LOG_ERROR("VknQ2IpManager::IsConnectedByCable - no wifi extension");
        return false;
    }
    return LinkText::IsCableLink(wifiExtension->getLinkText());
}

bool VknQ2IpManager::SSIDManager::WriteConfig() {
    try {
        if (BothSet()) {
            networkExtension->writeSsidAndPassword(ssid, passwd);
            return true;
        }
        LOG_WARNING("VknQ2IpManager::SSIDManager::WriteConfig - new ssid/pwd have not been "
                    "properly set");
        return false;
    } catch (...) {
        LOG_ERROR("VknQ2IpManager::SSIDManager::WriteConfig - error trying to write new ssid "
                  "configuration");
        return false;
    }
}
