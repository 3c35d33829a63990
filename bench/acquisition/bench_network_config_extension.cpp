#include "bench/acquisition/bench_network_config_extension.h"

#include "bench/store/byte_text.h"

namespace velkor {
namespace bench {

BenchNetworkConfigExtension::BenchNetworkConfigExtension(boost::shared_ptr<SessionLink> link)
    : link_(std::move(link)) {}

void BenchNetworkConfigExtension::readDetectorAddress(std::string& address, std::uint16_t& value) {
    const DetectorState& state = link_->session().state();
    address = state.storedAddress;
    value = state.detectorValue;
    link_->say("detector address read: " + byte_text::Printable(address));
}

void BenchNetworkConfigExtension::readHostAddress(std::string& address, std::uint16_t& commandPort,
                                                  std::uint16_t& imagePort) {
    const DetectorState& state = link_->session().state();
    address = state.hostAddress;
    commandPort = state.commandPort;
    imagePort = state.imagePort;
    link_->say("host address read: " + byte_text::Printable(address) + ", ports " +
               std::to_string(commandPort) + "/" + std::to_string(imagePort));
}

bool BenchNetworkConfigExtension::writeAddresses(const std::string& detectorAddress,
                                                 const std::uint16_t& value,
                                                 const std::string& hostAddress,
                                                 const std::uint16_t& commandPort,
                                                 const std::uint16_t& imagePort) {
    std::string refusal;
    const bool stored = link_->sayingWhy("addresses not stored: ", [&] {
        return link_->session().writeAddresses(detectorAddress, value, hostAddress, commandPort,
                                               imagePort, refusal);
    });
    if (!stored) {
        link_->say("addresses refused: " + refusal);
        return false;
    }
    link_->say("addresses stored: detector " + byte_text::Printable(detectorAddress) + ", host " +
               byte_text::Printable(hostAddress) + ", ports " + std::to_string(commandPort) + "/" +
               std::to_string(imagePort) +
               "; the detector takes them into use when they are applied");
    return true;
}

void BenchNetworkConfigExtension::writeSsidAndPassword(const std::string& ssid,
                                                       const std::string& password) {
    // Refusal texts name the rule, never the password.
    link_->sayingWhy("SSID and password not stored: ",
                     [&] { link_->session().writeSsidAndPassword(ssid, password); });
    link_->say("SSID \"" + byte_text::Printable(ssid) + "\" and its password stored");
}

} // namespace bench
} // namespace velkor
