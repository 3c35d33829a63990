#include "app/detector_access.h"

#include "detector/detector_ip_manager.h"

void DetectorAccess::CreateDetector(DetectorType type, const std::string& detectorIp,
                                    const std::string& peerIp) {
    DetectorIpManager::Instance().CreateDetector(type, detectorIp, peerIp);
}

bool DetectorAccess::IsConnectedByCable() {
    return DetectorIpManager::Instance().IsConnectedByCable();
}

bool DetectorAccess::SetWifiEnable(bool enable) {
    return DetectorIpManager::Instance().SetWifiEnable(enable);
}

bool DetectorAccess::SetWifiPasswd(const std::string& ssid, const std::string& password) {
    return DetectorIpManager::Instance().SetWifiPasswd(ssid, password);
}

bool DetectorAccess::SetHostAndDetectorIPAddress(const std::string& hostIp,
                                                 const std::string& detectorIp) {
    return DetectorIpManager::Instance().SetHostAndDetectorIPAddress(hostIp, detectorIp);
}

void DetectorAccess::DeleteDetector() {
    DetectorIpManager::Instance().DeleteDetector();
}
