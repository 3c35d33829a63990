#include "module/module_ip_manager.h"

#include "module/ir_vk6080mv_ip_manager.h"
#include "module/ir_vkn_q2_ip_manager.h"
#include "platform/module/module_manager.h"
#include "platform/tools/logger.h"

#include <boost/make_shared.hpp>

#include <exception>

namespace {

// What the address getters answer when no module is open.
const char* const NoModuleAddress = "invalid";

void OnModuleMessage(const std::string& message) {
    LOG_INFO("mod : " << message);
}

boost::shared_ptr<IpManagerIface>
IpManagerOf(const boost::shared_ptr<ModuleIpManagerIface>& implementation) {
    return implementation ? implementation->GetIpManager() : boost::shared_ptr<IpManagerIface>();
}

boost::shared_ptr<SSIDManagerIface>
SsidManagerOf(const boost::shared_ptr<ModuleIpManagerIface>& implementation) {
    return implementation ? implementation->GetSSIDManager()
                          : boost::shared_ptr<SSIDManagerIface>();
}

// The manager `operation` needs; when there is none, logs so and gives the empty one back.
template <typename Manager>
boost::shared_ptr<Manager> Required(const boost::shared_ptr<Manager>& manager,
                                    const char* operation) {
    if (!manager) {
        LOG_ERROR("ModuleIpManager::" << operation << " - invalid ip manager implementation!");
    }
    return manager;
}

} // namespace

ModuleIpManager& ModuleIpManager::Instance() {
    static ModuleIpManager instance;
    return instance;
}

// Members go in reverse order: the module, then the implementation. Nothing is
// closed here; only DeleteModule() talks to the library.
ModuleIpManager::~ModuleIpManager() = default;

void ModuleIpManager::CreateModule(int kind, const std::string& port) {
    switch (kind) {
    case 0:
        implementation = boost::make_shared<IRVknQ2IpManager>();
        break;
    case 1:
        implementation = boost::make_shared<IRVk6080MVIpManager>();
        break;
    default:
        // An unknown kind goes on with the implementation already held, if any.
        break;
    }
    if (!implementation) {
        LOG_ERROR("ModuleIpManager::CreateDetector - impossible to instanciate module "
                  "implementation");
        return;
    }

    const std::string name = implementation->GetModuleName();
    mirl::module::OptionGroups groups;
    implementation->GetModuleOptions(groups, port);

    mirl::module::ModuleManager& manager = mirl::module::ModuleManager::manager();
    manager.init();
    manager.scanModules(name);
    manager.getModuleOptionsParser(name).applyOptions(groups, true);

    module = manager.getModule(name);
    if (!module) {
        // Nothing answered on this port: a creation failure like any other, so
        // that a caller walking the ports moves on to the next one.
        LOG_ERROR("ModuleIpManager::CreateModule - no module " << name << " on port " << port);
        DeleteModule();
        throw std::exception();
    }
    module->setMessageCallback(&OnModuleMessage);

    try {
        module->open();
        implementation->Init(module);
        const boost::shared_ptr<IpManagerIface> ip = implementation->GetIpManager();
        if (ip) {
            ip->ReadConfig();
        }
        const boost::shared_ptr<SSIDManagerIface> ssid = implementation->GetSSIDManager();
        if (ssid) {
            ssid->ReadConfig();
        }
        LOG_INFO("ModuleIpManager::CreateModule - Module has been initialized");
    } catch (...) {
        LOG_ERROR("ModuleIpManager::CreateModule - Error creating the module");
        DeleteModule();
        throw std::exception();
    }
}

std::string ModuleIpManager::GetDetectorIPAddress() {
    const auto ip = Required(IpManagerOf(implementation), "GetDetectorIPAddress");
    return ip ? ip->GetDetectorIPAddress() : NoModuleAddress;
}

std::string ModuleIpManager::GetHostIPAddress() {
    const auto ip = Required(IpManagerOf(implementation), "GetHostIPAddress");
    return ip ? ip->GetHostIPAddress() : NoModuleAddress;
}

boost::optional<std::string> ModuleIpManager::GetSSID() {
    const auto manager = Required(SsidManagerOf(implementation), "GetSSID");
    return manager ? boost::make_optional(manager->GetSSID()) : boost::none;
}

bool ModuleIpManager::SetHostAndDetectorIPAddress(const std::string& host,
                                                  const std::string& detector) {
    const auto ip = Required(IpManagerOf(implementation), "SetHostAndDetectorIPAddress");
    if (!ip) {
        return false;
    }
    try {
        ip->SetHostIPAddress(host);
        ip->SetDetectorIPAddress(detector);
        return ip->WriteConfig();
    } catch (...) {
        LOG_ERROR("ModuleIpManager::SetHostAndDetectorIPAddress - unable to set host & detector "
                  "ip address");
        return false;
    }
}

bool ModuleIpManager::SetWifiPasswd(const std::string& ssid, const std::string& password) {
    const auto manager = Required(SsidManagerOf(implementation), "SetWifiPasswd");
    if (!manager) {
        return false;
    }
    try {
        manager->SetSSID(ssid);
        manager->SetPasswd(password);
        return manager->WriteConfig();
    } catch (...) {
        LOG_ERROR("ModuleIpManager::SetWifiPasswd - unable to set the ssid and password");
        return false;
    }
}

void ModuleIpManager::DeleteModule() {
    implementation.reset();
    if (module) {
        // Released before closing, so that a close that throws still leaves
        // the manager empty.
        boost::shared_ptr<mirl::module::Module> closing;
        closing.swap(module);
        closing->close();
    }
    mirl::module::ModuleManager::manager().clear();
    LOG_INFO("ModuleIpManager::DeleteModule - Module has been deleted");
}
