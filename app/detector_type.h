#pragma once

#include <string>
#include <vector>

// The detector families; the values are fixed, every road branches on them.
enum DetectorType {
    InvalidDetectorType = -1,
    Vk6080K = 0,
    VknQ2 = 1,
    Vk7x80 = 2,
    Vk7380TW = 3,
    Vk6080MV = 4,
};

// Exact, case-sensitive match of the whole command-line text.
DetectorType DetectorTypeFromName(const std::string& name);
// The command-line texts, in the order the help names them.
const std::vector<std::string>& DetectorTypeNames();

// In a namespace because the fuzz targets keep an independent model under the
// same name, which argument-dependent lookup would otherwise make ambiguous.
namespace detector_type {

// The families whose peer address carries a prefix-length suffix.
inline bool HasCidrPeer(DetectorType type) {
    return type == VknQ2 || type == Vk7380TW || type == Vk6080MV;
}

// The peer address as the libraries take it: without its prefix length.
inline std::string PeerAddress(DetectorType type, const std::string& peerIp) {
    return HasCidrPeer(type) ? peerIp.substr(0, peerIp.find('/')) : peerIp;
}

// The family's name, as the address rules' messages call it ("VknQ2").
const char* FamilyName(DetectorType type);

} // namespace detector_type
