#include "addressing/ip_address_checks.h"

#include "addressing/ip_subset.h"
#include "app/detector_type.h"
#include "platform/tools/ip_address_utils.h"

#include <iostream>

using mirl::tools::IpAddressUtils;

namespace {

bool Fail(std::ostream& stream, const std::string& line) {
    stream << line << std::endl;
    return false;
}

struct PrefixRules {
    const char* family;
    const IpSubset& detector;
    const IpSubset& peer;
};

bool CheckPrefixRules(const PrefixRules& rules, const std::string& currentDetectorIp,
                      const std::string& currentPeerIp, const std::string& newDetectorIp,
                      const std::string& newPeerIp, std::ostream& out) {
    const std::string family = rules.family;
    const std::string tail = " prefix subset : ";
    if (MatchIpPrefixSubset(currentDetectorIp, rules.detector) == 1) {
        return Fail(out, "Error - current detector ip is not in the allowed " + family + tail +
                             IpSubsetToString(rules.detector));
    }
    if (MatchIpPrefixSubset(currentPeerIp, rules.peer) == 1) {
        return Fail(out, "Error - current peer ip is not in the allowed " + family + tail +
                             IpSubsetToString(rules.detector));
    }
    if (MatchIpPrefixSubset(newDetectorIp, rules.detector) == 1) {
        return Fail(out, "Error - new detector ip is not in the allowed " + family + tail +
                             IpSubsetToString(rules.detector));
    }
    if (MatchIpPrefixSubset(newPeerIp, rules.peer) == 1) {
        return Fail(out, "Error - new peer ip is not in the allowed " + family + tail +
                             IpSubsetToString(rules.peer));
    }
    return true;
}

} // namespace

bool CheckCurrentIpAddresses(DetectorType type, const std::string& currentDetectorIp,
                             const std::string& currentPeerIp) {
    return CheckCurrentIpAddresses(type, currentDetectorIp, currentPeerIp, std::cerr);
}

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
                          const std::string& newPeerIp) {
    return CheckIpAddressChange(type, currentDetectorIp, currentPeerIp, newDetectorIp, newPeerIp,
                                std::cerr);
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
    } else if (type != Vk6080K) {
        // The 6080K needs no host address; every other family does.
        if (!IpAddressUtils::IsValidIpAddress(newPeerIp)) {
            return Fail(err, "Error - Invalid new peer ip : " + newPeerIp);
        }
    }
    if (newDetectorIp == newPeerIp) {
        return Fail(err, "Error - new detector and peer ip addresses cannot be the same");
    }
    return true;
}

bool CheckIpSubsetRules(DetectorType type, const std::string& currentDetectorIp,
                        const std::string& currentPeerIp, const std::string& newDetectorIp,
                        const std::string& newPeerIp) {
    return CheckIpSubsetRules(type, currentDetectorIp, currentPeerIp, newDetectorIp, newPeerIp,
                              std::cout);
}

bool CheckIpSubsetRules(DetectorType type, const std::string& currentDetectorIp,
                        const std::string& currentPeerIp, const std::string& newDetectorIp,
                        const std::string& newPeerIp, std::ostream& out) {
    switch (type) {
    case Vk6080K:
        if (!IsInIpSubset(currentDetectorIp, Vk6080KDetectorIpSubset)) {
            return Fail(out, "Error - current detector ip is not in the allowed Vk6080K subset: " +
                                 IpSubsetToString(Vk6080KDetectorIpSubset));
        }
        if (!IsInIpSubset(newDetectorIp, Vk6080KDetectorIpSubset)) {
            return Fail(out, "Error - new detector ip is not in the allowed Vk6080K subset: " +
                                 IpSubsetToString(Vk6080KDetectorIpSubset));
        }
        return true;
    case Vk7x80:
        if (!IsInIpSubset(currentDetectorIp, Vk7x80DetectorIpSubset)) {
            return Fail(out, "Error - current detector ip is not in the allowed Vk7x80 subset: " +
                                 IpSubsetToString(Vk7x80DetectorIpSubset));
        }
        if (!IsInIpSubset(newDetectorIp, Vk7x80DetectorIpSubset)) {
            return Fail(out, "Error - new detector ip is not in the allowed Vk7x80 subset: " +
                                 IpSubsetToString(Vk7x80DetectorIpSubset));
        }
        if (!IsInIpSubset(newPeerIp, Vk7x80PeerIpSubset)) {
            return Fail(out, "Error - new peer ip is not in the allowed Vk7x80 subset: " +
                                 IpSubsetToString(Vk7x80PeerIpSubset));
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
