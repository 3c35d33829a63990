#pragma once

#include "app/detector_access_iface.h"

// The network road of the program: DetectorIpManager::Instance().
class DetectorAccess : public DetectorAccessIface {
public:
    void CreateDetector(DetectorType type, const std::string& detectorIp,
                        const std::string& peerIp) override;
    bool IsConnectedByCable() override;
    bool SetWifiEnable(bool enable) override;
    bool SetWifiPasswd(const std::string& ssid, const std::string& password) override;
    bool SetHostAndDetectorIPAddress(const std::string& hostIp,
                                     const std::string& detectorIp) override;
    void DeleteDetector() override;
};
