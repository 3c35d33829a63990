#pragma once

#include "detector/cabled_detector_ip_manager.h"
#include "detector/detector_parameter.h"
#include "detector/extension_lookup.h"
#include "detector/hardware_options.h"
#include "detector/network/network_ip_manager.h"
#include "detector/network/wifi_detector_ip_manager.h"
#include "platform/acquisition/config_parser.h"
#include "platform/acquisition/detector.h"
#include "platform/acquisition/extensions.h"

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <string>
#include <type_traits>

// The families whose settings go through the network configuration extension
// (6080QL/4050QL, 6080MV, 7380TW) work alike; they differ only in what
// `Traits` provides:
//   static constexpr const char* ClassName;     first word of every log line
//   static constexpr const char* BoardName;
//   static constexpr const char* DetectorName;
//   static constexpr const char* PathOption;    option that carries the detector address
//   static constexpr bool HasWifi;              false: always cabled, addresses only
//   static constexpr SsidWrite SsidWritePolicy; with HasWifi only
template <typename Traits>
class NetworkFamilyIpManager
    : public std::conditional_t<Traits::HasWifi, WifiDetectorIpManager<Traits>,
                                CabledDetectorIpManager> {
public:
    static constexpr const char* BoardName = Traits::BoardName;
    static constexpr const char* DetectorName = Traits::DetectorName;

    class IpManager : public NetworkIpManager {
    public:
        using NetworkIpManager::NetworkIpManager;
    };

    void Init(const boost::shared_ptr<mirl::acquisition::Detector>& detector) override {
        // Looked up in this order, so that the first one missing is the one named.
        const auto network = extension_lookup::NetworkConfiguration(*detector, Traits::ClassName);
        boost::shared_ptr<mirl::acquisition::WifiIface> wifi;
        boost::shared_ptr<mirl::acquisition::FileIface> file;
        if constexpr (Traits::HasWifi) {
            wifi = extension_lookup::Wifi(*detector, Traits::ClassName);
            file = extension_lookup::File(*detector, Traits::ClassName);
        }
        const auto connection = extension_lookup::Connection(*detector, Traits::ClassName);
        ipManager = boost::make_shared<IpManager>(connection, network);
        if constexpr (Traits::HasWifi) {
            this->AttachWifi(network, wifi, file, connection);
        }
    }

    std::string GetBoardName() override { return BoardName; }
    std::string GetDetectorName() override { return DetectorName; }
    void FillDetectorParameter(DetectorParameter& parameter) override { parameter.FillNotUsed(); }

    void FillOptions(mirl::acquisition::OptionGroups& options, const std::string& detectorIp,
                     const std::string& peerIp) override {
        HardwareOptions()
            .Add(Traits::PathOption, detectorIp)
            .Add("local.path", peerIp)
            .Add("protocol.traces.show", "no")
            .Add("protocol.statistics.show", "no")
            .AppendTo(options);
    }

    boost::shared_ptr<IpManagerIface> GetIpManager() override { return ipManager; }

private:
    boost::shared_ptr<IpManager> ipManager;
};
