#include "bench/acquisition/bench_network_config_extension.h"

#include "bench/store/byte_text.h"

#include <exception>

namespace velkor {
namespace bench {

BenchNetworkConfigExtension::BenchNetworkConfigExtension(boost::shared_ptr<SessionLink> link)
    : link_(std::move(link)) {}

void BenchNetworkConfigExtension::readDetectorAddress(std::string& address, std::uint16_t& value) {
    const DetectorState& state = link_->session().state();
    address = state.storedAddress;
    value = state.detectorValue;
    link_->say("detector address read: " + address);
}

void BenchNetworkConfigExtension::readHostAddress(std::string& address, std::uint16_t& commandPort,
                                                  std::uint16_t& imagePort) {
    const DetectorState& state = link_->session().state();
    address = state.hostAddress;
    commandPort = state.commandPort;
    imagePort = state.imagePort;
    link_->say("host address read: " + address + ", ports " + std::to_string(commandPort) + "/" +
               std::to_string(imagePort));
}

bool BenchNetworkConfigExtension::writeAddresses(const std::string& detectorAddress,
                                                 const std::uint16_t& value,
                                                 const std::string& hostAddress,
                                                 const std::uint16_t& commandPort,
                                                 const std::uint16_t& imagePort) {
    std::string refusal;
    bool stored = false;
    try {
        stored = link_->session().writeAddresses(detectorAddress, value, hostAddress, commandPort,
                                                 imagePort, refusal);
    } catch (const std::exception& error) {
        link_->say(std::string("addresses not stored: ") + error.what());
        throw;
    }
    if (!stored) {
        link_->say("addresses refused: " + refusal);
        return false;
    }
    link_->say("addresses stored: detector " + bytetext::Printable(detectorAddress) + ", host " +
               bytetext::Printable(hostAddress) + ", ports " + std::to_string(commandPort) + "/" +
               std::to_string(imagePort) +
               "; the detector takes them into use when they are applied");
    return true;
}

void BenchNetworkConfigExtension::writeSsidAndPassword(const std::string& ssid,
                                                       const std::string& password) {
    try {
        link_->session().writeSsidAndPassword(ssid, password);
    } catch (const std::exception& error) {
        // Refusal texts name the rule, never the password.
        link_->say(std::string("SSID and password not stored: ") + error.what());
        throw;
    }
    link_->say("SSID \"" + bytetext::Printable(ssid) + "\" and its password stored");
}

} // namespace bench
} // namespace velkor
