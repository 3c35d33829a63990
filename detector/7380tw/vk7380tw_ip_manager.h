#pragma once

#include "detector/network/network_family_ip_manager.h"

struct Vk7380TWTraits {
    static constexpr const char* ClassName = "Vk7380TWIpManager";
    static constexpr const char* BoardName = "AcqRDXPv2";
    static constexpr const char* DetectorName = "Vk7380TWc";
    static constexpr const char* PathOption = "detector.path";
    static constexpr bool HasWifi = false;
};

// 7380TW: only its addresses can be changed, through the network
// configuration extension; always taken as cabled.
class Vk7380TWIpManager : public NetworkFamilyIpManager<Vk7380TWTraits> {};

extern template class NetworkFamilyIpManager<Vk7380TWTraits>;
