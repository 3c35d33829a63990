#include "app/module_access.h"

#include "module/module_ip_manager.h"
#include "module/serial_devices_enumerator.h"

std::vector<std::string> ModuleAccess::GetSerialPorts() {
    const SerialDevicesEnumerator enumerator;
    return enumerator.GetSerialPorts();
}

void ModuleAccess::CreateModule(int kind, const std::string& port) {
    ModuleIpManager::Instance().CreateModule(kind, port);
}

std::string ModuleAccess::GetDetectorIPAddress() {
    return ModuleIpManager::Instance().GetDetectorIPAddress();
}

std::string ModuleAccess::GetHostIPAddress() {
    return ModuleIpManager::Instance().GetHostIPAddress();
}

bool ModuleAccess::SetHostAndDetectorIPAddress(const std::string& hostIp,
                                               const std::string& detectorIp) {
    return ModuleIpManager::Instance().SetHostAndDetectorIPAddress(hostIp, detectorIp);
}

bool ModuleAccess::SetWifiPasswd(const std::string& ssid, const std::string& password) {
    return ModuleIpManager::Instance().SetWifiPasswd(ssid, password);
}

void ModuleAccess::DeleteModule() {
    ModuleIpManager::Instance().DeleteModule();
}
