#pragma once

#include <map>
#include <string>

// Ordered table from a small key to an address (address subsets) or to the
// leading text of an address (prefix subsets), walked in ascending key order.
using IpSubset = std::map<int, std::string>;

// An address subset holding this entry accepts every address.
extern const std::string AnyIpAddress;

extern const IpSubset Vk6080KDetectorIpSubset;
// The two 7x80 tables pair up by key: a detector address goes with the peer
// address under the same key.
extern const IpSubset Vk7x80DetectorIpSubset;
extern const IpSubset Vk7x80PeerIpSubset;
extern const IpSubset VknQ2DetectorPrefixSubset;
extern const IpSubset VknQ2PeerPrefixSubset;
extern const IpSubset Vk7380TWDetectorPrefixSubset;
extern const IpSubset Vk7380TWPeerPrefixSubset;
extern const IpSubset Vk6080MVDetectorPrefixSubset;
extern const IpSubset Vk6080MVPeerPrefixSubset;

// True when an entry equals the address or is AnyIpAddress.
bool IsInIpSubset(const std::string& address, const IpSubset& subset);

// Zero-based position, in key order, of the first entry equal to the address; -1 if none.
int GetIpSubsetIndex(const std::string& address, const IpSubset& subset);

// "{ a ;  b ;  c }": the non-empty entries in key order; "{}" when there are none.
std::string IpSubsetToString(const IpSubset& subset);

// 2 when the address begins with the entry under key 2, else 3 when it begins
// with the entry under key 3, else 1 (no match). Other keys are never looked at.
int MatchIpPrefixSubset(const std::string& address, const IpSubset& subset);
