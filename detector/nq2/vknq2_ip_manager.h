#pragma once

#include "detector/network/network_family_ip_manager.h"
#include "detector/network/wifi_detector_ip_manager.h"

struct VknQ2Traits {
    static constexpr const char* ClassName = "VknQ2IpManager";
    static constexpr const char* BoardName = "AcqRDXPv2";
    static constexpr const char* DetectorName = "Vk6080QL";
    static constexpr const char* PathOption = "detector.path.0";
    static constexpr bool HasWifi = true;
    static constexpr SsidWrite SsidWritePolicy = SsidWrite::WhenBothSet;
};

// 6080QL and 4050QL: addresses, SSID/password and the Wi-Fi switch, all
// through library extensions; reached over a cable or over their Wi-Fi.
class VknQ2IpManager : public NetworkFamilyIpManager<VknQ2Traits> {};

extern template class NetworkFamilyIpManager<VknQ2Traits>;
