#include "addressing/ip_address_checks.h"

#include "addressing/ip_subset.h"
#include "app/detector_type.h"
#include "platform/tools/ip_address_utils.h"

#include <boost/asio/ip/network_v4.hpp>

#include <iostream>
#include <ostream>

using mirl::tools::IpAddressUtils;

namespace {

bool Fail(std::ostream& stream, const std::string& line) {
    stream << line << std::endl;
    return false;
}

// Refuses `ip`, the `which` address, when it is outside the address set
// `subset` of `family`.
bool InAddressSubset(std::ostream& out, const std::string& which, const std::string& ip,
                     const IpSubset& subset, const std::string& family) {
    if (IsInIpSubset(ip, subset)) {
        return true;
    }
    return Fail(out, "Error - " + which + " ip is not in the allowed " + family +
                         " subset: " + IpSubsetToString(subset));
}

// Refuses `ip`, the `which` address, when it is outside the prefixes `subset`
// of `family`; the line shows the prefixes `shown`.
bool InPrefixSubset(std::ostream& out, const std::string& which, const std::string& ip,
                    const IpSubset& subset, const std::string& family, const IpSubset& shown) {
    if (MatchIpPrefixSubset(ip, subset) != 1) {
        return true;
    }
    return Fail(out, "Error - " + which + " ip is not in the allowed " + family +
                         " prefix subset : " + IpSubsetToString(shown));
}

struct PrefixRules {
    const char* family;
    const IpSubset& detector;
    const IpSubset& peer;
};

bool CheckPrefixRules(const PrefixRules& rules, const std::string& currentDetectorIp,
                      const std::string& currentPeerIp, const std::string& newDetectorIp,
                      const std::string& newPeerIp, std::ostream& out) {
    // The current peer's line shows the detector's prefixes, as it always has.
    return InPrefixSubset(out, "current detector", currentDetectorIp, rules.detector, rules.family,
                          rules.detector) &&
           InPrefixSubset(out, "current peer", currentPeerIp, rules.peer, rules.family,
                          rules.detector) &&
           InPrefixSubset(out, "new detector", newDetectorIp, rules.detector, rules.family,
                          rules.detector) &&
           InPrefixSubset(out, "new peer", newPeerIp, rules.peer, rules.family, rules.peer);
}

// The first and the last address of a subnet name the subnet and reach every
// host of it: a detector or a host given either is unreachable. A /31 or /32
// has neither.
enum class SubnetEnd { None, Network, Broadcast };

// `cidr`'s prefix gives the subnet. Both texts passed the syntax checks; a
// text the parser still refuses is left to them.
SubnetEnd EndOfSubnet(const std::string& address, const std::string& cidr) {
    namespace ip = boost::asio::ip;
    boost::system::error_code error;
    const ip::network_v4 subnet = ip::make_network_v4(cidr, error);
    if (error || subnet.prefix_length() > 30) {
        return SubnetEnd::None;
    }
    const ip::address_v4 plain = ip::make_address_v4(address, error);
    if (error) {
        return SubnetEnd::None;
    }
    if (plain == subnet.network()) {
        return SubnetEnd::Network;
    }
    return plain == subnet.broadcast() ? SubnetEnd::Broadcast : SubnetEnd::None;
}

// "192.168.1.1" of "192.168.1.1/24".
std::string AddressPart(const std::string& cidr) {
    return cidr.substr(0, cidr.find('/'));
}

// Refuses a new detector or host address that no host of the new subnet could
// reach.
bool NeitherEndOfSubnet(const std::string& newDetectorIp, const std::string& newPeerIp,
                        std::ostream& err) {
    switch (EndOfSubnet(newDetectorIp, newPeerIp)) {
    case SubnetEnd::Network:
        return Fail(err, "Error - Invalid new detector ip : " + newDetectorIp +
                             " is the network address of " + newPeerIp);
    case SubnetEnd::Broadcast:
        return Fail(err, "Error - Invalid new detector ip : " + newDetectorIp +
                             " is the broadcast address of " + newPeerIp);
    case SubnetEnd::None:
        break;
    }
    switch (EndOfSubnet(AddressPart(newPeerIp), newPeerIp)) {
    case SubnetEnd::Network:
        return Fail(err, "Error - Invalid new peer cidr address : " + newPeerIp +
                             " is the network address of its subnet");
    case SubnetEnd::Broadcast:
        return Fail(err, "Error - Invalid new peer cidr address : " + newPeerIp +
                             " is the broadcast address of its subnet");
    case SubnetEnd::None:
        break;
    }
    return true;
}

} // namespace

bool CheckCurrentIpAddresses(DetectorType type, const std::string& currentDetectorIp,
                             const std::string& currentPeerIp, std::ostream& err) {
    if (!IpAddressUtils::IsValidIpAddress(currentDetectorIp)) {
        return Fail(err, "Error - Invalid current detector ip : " + currentDetectorIp);
    }
    if (detector_type::HasCidrPeer(type)) {
        if (!IpAddressUtils::IsValidCIDRAddress(currentPeerIp)) {
            return Fail(err, "Error - Invalid current peer cidr address : " + currentPeerIp);
        }
        if (!IpAddressUtils::AreInSameSubnet(currentDetectorIp, currentPeerIp)) {
            return Fail(err, "Error - Invalid input subnet configuration : " + currentDetectorIp +
                                 " doesn't match " + currentPeerIp);
        }
    }
    return true;
}

bool CheckIpAddressChange(DetectorType type, const std::string& currentDetectorIp,
                          const std::string& currentPeerIp, const std::string& newDetectorIp,
                          const std::string& newPeerIp, std::ostream& err) {
    if (!IpAddressUtils::IsValidIpAddress(currentDetectorIp)) {
        return Fail(err, "Error - Invalid current detector ip : " + currentDetectorIp);
    }
    if (!IpAddressUtils::IsValidIpAddress(newDetectorIp)) {
        return Fail(err, "Error - Invalid new detector ip : " + newDetectorIp);
    }
    if (detector_type::HasCidrPeer(type)) {
        if (!IpAddressUtils::IsValidCIDRAddress(currentPeerIp)) {
            return Fail(err, "Error - Invalid current peer cidr address : " + currentPeerIp);
        }
        if (!IpAddressUtils::IsValidCIDRAddress(newPeerIp)) {
            return Fail(err, "Error - Invalid new peer cidr address : " + newPeerIp);
        }
        // The new subnet is reported before the current one.
        if (!IpAddressUtils::AreInSameSubnet(newDetectorIp, newPeerIp)) {
            return Fail(err, "Error - Invalid output subnet configuration : " + newDetectorIp +
                                 " doesn't match " + newPeerIp);
        }
        if (!IpAddressUtils::AreInSameSubnet(currentDetectorIp, currentPeerIp)) {
            return Fail(err, "Error - Invalid input subnet configuration : " + currentDetectorIp +
                                 " doesn't match " + currentPeerIp);
        }
        if (!NeitherEndOfSubnet(newDetectorIp, newPeerIp, err)) {
            return false;
        }
    } else if (type != Vk6080K) {
        // The 6080K needs no host address; every other family does.
        if (!IpAddressUtils::IsValidIpAddress(newPeerIp)) {
            return Fail(err, "Error - Invalid new peer ip : " + newPeerIp);
        }
    }
    // A prefix-length suffix does not make the host's address another one.
    const std::string peerAddress =
        detector_type::HasCidrPeer(type) ? AddressPart(newPeerIp) : newPeerIp;
    if (newDetectorIp == peerAddress) {
        return Fail(err, "Error - new detector and peer ip addresses cannot be the same");
    }
    return true;
}

bool CheckIpSubsetRules(DetectorType type, const std::string& currentDetectorIp,
                        const std::string& currentPeerIp, const std::string& newDetectorIp,
                        const std::string& newPeerIp, std::ostream& out) {
    switch (type) {
    case Vk6080K:
        return InAddressSubset(out, "current detector", currentDetectorIp, Vk6080KDetectorIpSubset,
                               "Vk6080K") &&
               InAddressSubset(out, "new detector", newDetectorIp, Vk6080KDetectorIpSubset,
                               "Vk6080K");
    case Vk7x80:
        if (!(InAddressSubset(out, "current detector", currentDetectorIp, Vk7x80DetectorIpSubset,
                              "Vk7x80") &&
              InAddressSubset(out, "new detector", newDetectorIp, Vk7x80DetectorIpSubset,
                              "Vk7x80") &&
              InAddressSubset(out, "new peer", newPeerIp, Vk7x80PeerIpSubset, "Vk7x80"))) {
            return false;
        }
        if (GetIpSubsetIndex(newDetectorIp, Vk7x80DetectorIpSubset) !=
            GetIpSubsetIndex(newPeerIp, Vk7x80PeerIpSubset)) {
            return Fail(out, "Error - incompatible new detector and new detector peer ip : " +
                                 newDetectorIp + " / " + newPeerIp);
        }
        return true;
    case VknQ2:
        return CheckPrefixRules({"VknQ2", VknQ2DetectorPrefixSubset, VknQ2PeerPrefixSubset},
                                currentDetectorIp, currentPeerIp, newDetectorIp, newPeerIp, out);
    case Vk7380TW:
        return CheckPrefixRules(
            {"Vk7380TW", Vk7380TWDetectorPrefixSubset, Vk7380TWPeerPrefixSubset}, currentDetectorIp,
            currentPeerIp, newDetectorIp, newPeerIp, out);
    case Vk6080MV:
        return CheckPrefixRules(
            {"Vk6080MV", Vk6080MVDetectorPrefixSubset, Vk6080MVPeerPrefixSubset}, currentDetectorIp,
            currentPeerIp, newDetectorIp, newPeerIp, out);
    case InvalidDetectorType:
        break;
    }
    return true;
}

bool CheckCurrentIpAddresses(DetectorType type, const std::string& currentDetectorIp,
                             const std::string& currentPeerIp) {
    return CheckCurrentIpAddresses(type, currentDetectorIp, currentPeerIp, std::cerr);
}

bool CheckIpAddressChange(DetectorType type, const std::string& currentDetectorIp,
                          const std::string& currentPeerIp, const std::string& newDetectorIp,
                          const std::string& newPeerIp) {
    return CheckIpAddressChange(type, currentDetectorIp, currentPeerIp, newDetectorIp, newPeerIp,
                                std::cerr);
}

bool CheckIpSubsetRules(DetectorType type, const std::string& currentDetectorIp,
                        const std::string& currentPeerIp, const std::string& newDetectorIp,
                        const std::string& newPeerIp) {
    return CheckIpSubsetRules(type, currentDetectorIp, currentPeerIp, newDetectorIp, newPeerIp,
                              std::cout);
}
