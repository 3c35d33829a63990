#pragma once

#include "app/module_access_iface.h"

// The module road of the program: ModuleIpManager::Instance() and the host's
// serial ports.
class ModuleAccess : public ModuleAccessIface {
public:
    std::vector<std::string> GetSerialPorts() override;
    void CreateModule(int kind, const std::string& port) override;
    std::string GetDetectorIPAddress() override;
    std::string GetHostIPAddress() override;
    bool SetHostAndDetectorIPAddress(const std::string& hostIp,
                                     const std::string& detectorIp) override;
    bool SetWifiPasswd(const std::string& ssid, const std::string& password) override;
    void DeleteModule() override;
};
