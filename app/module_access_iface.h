#pragma once

#include <string>
#include <vector>

// What the driver asks of the infrared module road; the program forwards it
// to ModuleIpManager and SerialDevicesEnumerator, tests put a fake behind it.
class ModuleAccessIface {
public:
    virtual ~ModuleAccessIface() = default;
    virtual std::vector<std::string> GetSerialPorts() = 0;
    virtual void CreateModule(int kind, const std::string& port) = 0;
    virtual std::string GetDetectorIPAddress() = 0;
    virtual std::string GetHostIPAddress() = 0;
    virtual bool SetHostAndDetectorIPAddress(const std::string& hostIp,
                                             const std::string& detectorIp) = 0;
    virtual bool SetWifiPasswd(const std::string& ssid, const std::string& password) = 0;
    virtual void DeleteModule() = 0;
};
