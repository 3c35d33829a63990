#pragma once

#include "bench/library/session_link.h"
#include "platform/acquisition/extensions.h"

#include <boost/shared_ptr.hpp>

namespace velkor {
namespace bench {

// Extension "network_configuration": addresses, ports, SSID and password.
class BenchNetworkConfigExtension : public mirl::acquisition::NetworkConfigIface {
public:
    explicit BenchNetworkConfigExtension(boost::shared_ptr<SessionLink> link);

    void readDetectorAddress(std::string& address, std::uint16_t& value) override;
    void readHostAddress(std::string& address, std::uint16_t& commandPort,
                         std::uint16_t& imagePort) override;
    bool writeAddresses(const std::string& detectorAddress, const std::uint16_t& value,
                        const std::string& hostAddress, const std::uint16_t& commandPort,
                        const std::uint16_t& imagePort) override;
    void writeSsidAndPassword(const std::string& ssid, const std::string& password) override;

private:
    boost::shared_ptr<SessionLink> link_;
};

} // namespace bench
} // namespace velkor
