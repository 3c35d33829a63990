#pragma once

#include <cstdint>
#include <string>

namespace mirl {
namespace tools {

// Address texts as the detectors and the command line write them.
// None of these throws: malformed input gives false (or the base port).
class IpAddressUtils {
public:
    // Exactly four decimal numbers 0-255 joined by "."; no sign, no blank,
    // no leading zero except "0" itself.
    static bool IsValidIpAddress(const std::string& address);

    // A plain address, "/", and a prefix length 0-32 written the same way.
    static bool IsValidCIDRAddress(const std::string& address);

    // True when the plain address lies in the subnet that the CIDR address
    // and its prefix length define; false when either text is malformed.
    static bool AreInSameSubnet(const std::string& address, const std::string& cidrAddress);

    // Port derived from an address: basePort plus the last number of the
    // address (0-255). Saturates at 65535, so it never leaves 16 bits.
    // A malformed address gives basePort.
    static std::uint16_t GetIpAssociatedPort(const std::string& address, std::uint16_t basePort);
};

} // namespace tools
} // namespace mirl
