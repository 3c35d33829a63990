#pragma once

#include "app/detector_type.h"

#include <boost/optional.hpp>

#include <ostream>
#include <stdexcept>
#include <string>

// A detector's settings as `velkor-site show` reads them.
struct DetectorView {
    std::string model; // the command-line name, "6080QL"
    DetectorType type = InvalidDetectorType;
    bool viaModule = false;
    std::string reachedAt;       // network road: the address it was opened at
    std::string port;            // module road: the serial port used
    boost::optional<bool> cable; // network road: reached over a cable, not Wi-Fi
    std::string detectorAddress;
    std::string hostAddress;
    boost::optional<std::string> ssid; // where the family has one
    boost::optional<bool> wifi;        // the Wi-Fi switch, where the family has one
};

// The detector or module could not be opened or read: what failed, and the
// library's reason.
class ViewError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Open the detector through the program's facades (DetectorIpManager, or
// ModuleIpManager on the port given or found by the program's port walk),
// read what its family's managers read on opening, and close it again. No
// write, save or apply operation is called. Throw ViewError.
DetectorView ReadOverNetwork(const std::string& model, const std::string& detectorIp,
                             const std::string& peerIp);
DetectorView ReadOverModule(const std::string& model, const std::string& serialPort);

// "name: value" lines, or one JSON object.
void PrintDetectorView(std::ostream& out, const DetectorView& view, bool json);
