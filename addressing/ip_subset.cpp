#include "addressing/ip_subset.h"

#include <boost/algorithm/string/predicate.hpp>
#include <boost/assign/list_of.hpp>

using boost::assign::map_list_of;

const std::string AnyIpAddress = "--.--.--.--";

const IpSubset Vk6080KDetectorIpSubset =
    map_list_of(1, "10.0.0.2")(2, "10.0.0.66")(3, "192.168.0.2")(4, "192.168.0.66");
const IpSubset Vk7x80DetectorIpSubset =
    map_list_of(1, "192.168.37.130")(2, "192.168.37.132")(3, "10.0.37.130")(4, "10.0.37.132");
const IpSubset Vk7x80PeerIpSubset =
    map_list_of(1, "192.168.37.131")(2, "192.168.37.133")(3, "10.0.37.131")(4, "10.0.37.133");
const IpSubset VknQ2DetectorPrefixSubset = map_list_of(2, "192.168.")(3, "10.0.");
const IpSubset VknQ2PeerPrefixSubset = map_list_of(2, "192.168.")(3, "10.0.");
const IpSubset Vk7380TWDetectorPrefixSubset = map_list_of(2, "192.168.")(3, "10.0.");
const IpSubset Vk7380TWPeerPrefixSubset = map_list_of(2, "192.168.")(3, "10.0.");
const IpSubset Vk6080MVDetectorPrefixSubset = map_list_of(2, "192.168.")(3, "10.0.");
const IpSubset Vk6080MVPeerPrefixSubset = map_list_of(2, "192.168.")(3, "10.0.");

bool IsInIpSubset(const std::string& address, const IpSubset& subset) {
    for (const auto& entry : subset) {
        if (entry.second == address || entry.second == AnyIpAddress) {
            return true;
        }
    }
    return false;
}

int GetIpSubsetIndex(const std::string& address, const IpSubset& subset) {
    int index = 0;
    for (const auto& entry : subset) {
        if (entry.second == address) {
            return index;
        }
        ++index;
    }
    return -1;
}

std::string IpSubsetToString(const IpSubset& subset) {
    std::string text = "{";
    for (const auto& entry : subset) {
        if (!entry.second.empty()) {
            text += " " + entry.second + " ; ";
        }
    }
    // Drop the trailing "; " of the last entry; a table without entries has none.
    if (text.size() > 1) {
        text.erase(text.size() - 2);
    }
    return text + "}";
}

int MatchIpPrefixSubset(const std::string& address, const IpSubset& subset) {
    for (const int key : {2, 3}) {
        const auto entry = subset.find(key);
        if (entry != subset.end() && boost::algorithm::starts_with(address, entry->second)) {
            return key;
        }
    }
    return 1;
}
