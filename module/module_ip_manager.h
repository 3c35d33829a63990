#pragma once

#include "module/module_ip_manager_iface.h"
#include "platform/module/module.h"

#include <boost/core/noncopyable.hpp>
#include <boost/optional.hpp>
#include <boost/shared_ptr.hpp>

#include <string>

// Entry point of the module road: opens one infrared module on a serial port.
class ModuleIpManager : private boost::noncopyable {
public:
    static ModuleIpManager& Instance();

    // kind 0: QL_IR, kind 1: MV_IR. Throws std::exception when the module
    // cannot be opened, initialised or read.
    void CreateModule(int kind, const std::string& port);
    std::string GetDetectorIPAddress();
    std::string GetHostIPAddress();
    // The SSID read over infrared when the module was opened; none without a module.
    boost::optional<std::string> GetSSID();
    bool SetHostAndDetectorIPAddress(const std::string& host, const std::string& detector);
    bool SetWifiPasswd(const std::string& ssid, const std::string& password);
    void DeleteModule();

private:
    ModuleIpManager() = default;
    ~ModuleIpManager();

    boost::shared_ptr<ModuleIpManagerIface> implementation;
    boost::shared_ptr<mirl::module::Module> module;
};
