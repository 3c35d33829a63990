#pragma once

#include "detector/ip_manager_iface.h"
#include "detector/ssid_manager_iface.h"
#include "platform/module/module_manager.h"

#include <boost/shared_ptr.hpp>

#include <string>

// What each kind of infrared module provides to ModuleIpManager.
class ModuleIpManagerIface {
public:
    virtual ~ModuleIpManagerIface() = default;
    virtual void Init(const boost::shared_ptr<mirl::module::Module>& module) = 0;
    virtual std::string GetModuleName() = 0;
    virtual bool ProbeModule() = 0;
    virtual void GetModuleOptions(mirl::module::OptionGroups& groups, const std::string& port) = 0;
    virtual boost::shared_ptr<IpManagerIface> GetIpManager() = 0;
    virtual boost::shared_ptr<SSIDManagerIface> GetSSIDManager() = 0;
};
