#pragma once

#include "app/detector_type.h"

#include <ostream>
#include <string>

// Each check returns true when the addresses are acceptable; otherwise it
// writes exactly one error line and returns false. They change nothing.
// The overloads without a stream write to standard error (the first two) or
// standard output (the subset rules).

// The addresses through which the detector is reached now (network road).
bool CheckCurrentIpAddresses(DetectorType type, const std::string& currentDetectorIp,
                             const std::string& currentPeerIp);
bool CheckCurrentIpAddresses(DetectorType type, const std::string& currentDetectorIp,
                             const std::string& currentPeerIp, std::ostream& err);

// Syntax of the current and new addresses and their subnet consistency.
bool CheckIpAddressChange(DetectorType type, const std::string& currentDetectorIp,
                          const std::string& currentPeerIp, const std::string& newDetectorIp,
                          const std::string& newPeerIp);
bool CheckIpAddressChange(DetectorType type, const std::string& currentDetectorIp,
                          const std::string& currentPeerIp, const std::string& newDetectorIp,
                          const std::string& newPeerIp, std::ostream& err);

// The fixed address sets and prefixes each family accepts; meant to run only
// after CheckIpAddressChange passed.
bool CheckIpSubsetRules(DetectorType type, const std::string& currentDetectorIp,
                        const std::string& currentPeerIp, const std::string& newDetectorIp,
                        const std::string& newPeerIp);
bool CheckIpSubsetRules(DetectorType type, const std::string& currentDetectorIp,
                        const std::string& currentPeerIp, const std::string& newDetectorIp,
                        const std::string& newPeerIp, std::ostream& out);
