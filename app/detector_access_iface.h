#pragma once

#include "app/detector_type.h"

#include <string>

// What the driver asks of the network road; the program forwards it to
// DetectorIpManager, tests put a fake behind it.
class DetectorAccessIface {
public:
    virtual ~DetectorAccessIface() = default;
    virtual void CreateDetector(DetectorType type, const std::string& detectorIp,
                                const std::string& peerIp) = 0;
    virtual bool IsConnectedByCable() = 0;
    virtual bool SetWifiEnable(bool enable) = 0;
    virtual bool SetWifiPasswd(const std::string& ssid, const std::string& password) = 0;
    virtual bool SetHostAndDetectorIPAddress(const std::string& hostIp,
                                             const std::string& detectorIp) = 0;
    virtual void DeleteDetector() = 0;
};
