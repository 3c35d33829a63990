#pragma once

#include "detector/network/network_family_ip_manager.h"
#include "detector/network/wifi_detector_ip_manager.h"

struct Vk6080MVTraits {
    static constexpr const char* ClassName = "Vk6080MVIpManager";
    static constexpr const char* BoardName = "AcqRDXPv2";
    static constexpr const char* DetectorName = "Vk6080MVcs";
    static constexpr const char* PathOption = "detector.path";
    static constexpr bool HasWifi = true;
    static constexpr SsidWrite SsidWritePolicy = SsidWrite::WhenChanged;
};

// 6080MV: as the 6080QL, but a new SSID is written only when it differs from
// the detector's.
class Vk6080MVIpManager : public NetworkFamilyIpManager<Vk6080MVTraits> {};

extern template class NetworkFamilyIpManager<Vk6080MVTraits>;
