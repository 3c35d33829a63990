#include "detector/7380tw/vk7380tw_ip_manager.h"

#include "detector/detector_parameter.h"
#include "detector/extension_lookup.h"
#include "detector/hardware_options.h"

#include <boost/make_shared.hpp>

void Vk7380TWIpManager::Init(const boost::shared_ptr<mirl::acquisition::Detector>& detector) {
    const auto network = ExtensionLookup::NetworkConfiguration(*detector, "Vk7380TWIpManager");
    const auto connection = ExtensionLookup::Connection(*detector, "Vk7380TWIpManager");
    ipManager = boost::make_shared<IpManager>(connection, network);
}

void Vk7380TWIpManager::FillDetectorParameter(DetectorParameter& parameter) {
    parameter.FillNotUsed();
}

void Vk7380TWIpManager::FillOptions(mirl::acquisition::OptionGroups& options,
                                    const std::string& detectorIp, const std::string& peerIp) {
    HardwareOptions()
        .Add("detector.path", detectorIp)
        .Add("local.path", peerIp)
        .Add("protocol.traces.show", "no")
        .Add("protocol.statistics.show", "no")
        .AppendTo(options);
}
