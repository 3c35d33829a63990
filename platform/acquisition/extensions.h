#pragma once

#include <boost/optional.hpp>

#include <cstdint>
#include <string>
#include <vector>

class GenericXmlFileInfos;

namespace mirl {
namespace acquisition {

using Bytes = std::vector<unsigned char>;

// Extension "file": numbered files and the user configuration document.
class FileIface {
public:
    virtual ~FileIface() = default;
    // Fills bytes with the whole content of file `number`.
    virtual void readFile(std::int32_t number, Bytes& bytes) = 0;
    // Replaces file `number` with bytes.
    virtual void writeFile(std::int32_t number, const Bytes& bytes) = 0;
    // Fills the document's tree from the detector's user configuration.
    virtual void loadUserConfig(GenericXmlFileInfos& document) = 0;
    // Stores the document's tree as the detector's user configuration.
    virtual void saveUserConfig(GenericXmlFileInfos& document) = 0;
    virtual void applyUserConfig(bool connectedByCable) = 0;
};

// Extension "connection".
class ConnectionIface {
public:
    virtual ~ConnectionIface() = default;
    virtual void setHostName(const std::string& name,
                             const boost::optional<std::string>& domain) = 0;
    // Makes a written network configuration take effect.
    virtual void applyNetworkConfig() = 0;
};

// Extension "network_configuration".
class NetworkConfigIface {
public:
    virtual ~NetworkConfigIface() = default;
    virtual void readDetectorAddress(std::string& address, std::uint16_t& value) = 0;
    virtual void readHostAddress(std::string& address, std::uint16_t& commandPort,
                                 std::uint16_t& imagePort) = 0;
    // True when the detector stored the addresses.
    virtual bool writeAddresses(const std::string& detectorAddress, const std::uint16_t& value,
                                const std::string& hostAddress, const std::uint16_t& commandPort,
                                const std::uint16_t& imagePort) = 0;
    virtual void writeSsidAndPassword(const std::string& ssid, const std::string& password) = 0;
};

// The detector's Wi-Fi, from Detector::getWifi().
class WifiIface {
public:
    virtual ~WifiIface() = default;
    // The last ":"-separated field is a hexadecimal number, even on a cable link.
    virtual std::string getLinkText() = 0;
    virtual std::string getSsid() = 0;
};

} // namespace acquisition
} // namespace mirl
