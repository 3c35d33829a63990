#pragma once

#include "detector/ip_manager_iface.h"
#include "platform/acquisition/extensions.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>

// Address part shared by the nQ2, 7380TW and 6080MV managers: both addresses
// go through the network configuration extension, unchecked.
class NetworkIpManager : public IpManagerIface {
public:
    static constexpr std::uint16_t CommandBasePort = 2043;
    static constexpr std::uint16_t ImageBasePort = 5998;

    NetworkIpManager(const boost::shared_ptr<mirl::acquisition::ConnectionIface>& connection,
                     const boost::shared_ptr<mirl::acquisition::NetworkConfigIface>& network);
    ~NetworkIpManager() override = default;

    void ReadConfig() override;
    // Ports follow the new detector address; the change is applied only once stored.
    bool WriteConfig() override;
    void SetHostIPAddress(const std::string& hostIp) override { hostAddress = hostIp; }
    void SetDetectorIPAddress(const std::string& detectorIp) override {
        detectorAddress = detectorIp;
    }
    std::string GetHostIPAddress() override { return hostAddress; }
    std::string GetDetectorIPAddress() override { return detectorAddress; }

private:
    boost::shared_ptr<mirl::acquisition::ConnectionIface> connectionExtension;
    boost::shared_ptr<mirl::acquisition::NetworkConfigIface> networkExtension;
    std::string detectorAddress = NotSet;
    std::uint16_t detectorValue = 0;
    std::string hostAddress = NotSet;
    std::uint16_t commandPort = 0;
    std::uint16_t imagePort = 0;
};
