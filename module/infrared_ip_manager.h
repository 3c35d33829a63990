#pragma once

#include "detector/ip_manager_iface.h"
#include "detector/ssid_manager_iface.h"
#include "module/module_ip_manager_iface.h"
#include "platform/module/module.h"
#include "platform/tools/logger.h"

#include <boost/any.hpp>
#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <exception>
#include <string>

// Both infrared module kinds talk to the detector the same way; only the
// module name and the class name that opens their log lines differ. `Kind`
// is the concrete manager class and provides:
//   static const std::string ModuleName;   name known to the module library
//   static const char* const ClassName;    first word of every log line
//   static const char* const SsidWriteErrorLead;  text put before ClassName in
//                                          the SSID write error line
template <typename Kind> class InfraredIpManager : public ModuleIpManagerIface {
public:
    using SerialIR = mirl::module::SerialIRIface;

    class IpManager : public IpManagerIface {
    public:
        explicit IpManager(const boost::shared_ptr<SerialIR>& serial) : serial_(serial) {}

        void ReadConfig() override {
            detector_ = serial_->readDetectorIpAddress();
            host_ = serial_->readHostIpAddress();
        }

        bool WriteConfig() override {
            try {
                serial_->writeIpAddresses(detector_, host_);
                return true;
            } catch (...) {
                LOG_ERROR(
                    Kind::ClassName
                    << "::IpManager::WriteConfig - error trying to write new ip configuration");
                return false;
            }
        }

        void SetHostIPAddress(const std::string& hostIp) override { host_ = hostIp; }
        void SetDetectorIPAddress(const std::string& detectorIp) override {
            detector_ = detectorIp;
        }
        std::string GetHostIPAddress() override { return host_; }
        std::string GetDetectorIPAddress() override { return detector_; }

    private:
        boost::shared_ptr<SerialIR> serial_;
        std::string detector_ = NotSet;
        std::string host_ = NotSet;
    };

    class SSIDManager : public SSIDManagerIface {
    public:
        explicit SSIDManager(const boost::shared_ptr<SerialIR>& serial) : serial_(serial) {}

        void ReadConfig() override { ssid_ = serial_->readSsid(); }

        bool WriteConfig() override {
            if (ssid_ == NotSet || passwd_ == NotSet) {
                LOG_WARNING(Kind::ClassName << "::SSIDManager::WriteConfig - new ssid/pwd have not "
                                               "been properly set");
                return false;
            }
            try {
                serial_->writeSsidAndPassword(ssid_, passwd_);
                return true;
            } catch (...) {
                LOG_ERROR(Kind::SsidWriteErrorLead
                          << Kind::ClassName
                          << "::SSIDManager::WriteConfig - error trying to write new ssid "
                             "configuration");
                return false;
            }
        }

        void SetSSID(const std::string& ssid) override { ssid_ = ssid; }
        void SetPasswd(const std::string& passwd) override { passwd_ = passwd; }
        std::string GetSSID() override { return ssid_; }

    private:
        boost::shared_ptr<SerialIR> serial_;
        std::string ssid_ = NotSet;
        std::string passwd_ = NotSet;
    };

    void Init(const boost::shared_ptr<mirl::module::Module>& module) override {
        boost::shared_ptr<SerialIR> serial;
        if (module) {
            const auto found = module->extensions.find("serial_ir");
            if (found != module->extensions.end()) {
                // A value of another type is the library's fault: let the cast failure out.
                serial = boost::any_cast<boost::shared_ptr<SerialIR>>(found->second);
            }
        }
        serial_ = serial;
        if (!serial_) {
            LOG_ERROR(Kind::ClassName
                      << "::Init - impossible to retrieve module's infrared serial extension");
            throw std::exception();
        }
        ipManager_ = boost::make_shared<IpManager>(serial_);
        ssidManager_ = boost::make_shared<SSIDManager>(serial_);
    }

    std::string GetModuleName() override { return Kind::ModuleName; }

    bool ProbeModule() override { return serial_ ? serial_->probe(1000) : false; }

    void GetModuleOptions(mirl::module::OptionGroups& groups, const std::string& port) override {
        mirl::module::OptionGroup group;
        group.name = "hardware";
        group.options.push_back(MakeOption("module.serial.port", port));
        group.options.push_back(MakeOption("protocol.discarded.show", "no"));
        groups.push_back(group);
    }

    boost::shared_ptr<IpManagerIface> GetIpManager() override { return ipManager_; }
    boost::shared_ptr<SSIDManagerIface> GetSSIDManager() override { return ssidManager_; }

private:
    static mirl::module::Option MakeOption(const std::string& name, const std::string& value) {
        mirl::module::Option option;
        option.name = name;
        option.value = value;
        return option;
    }

    // Declared in this order so that destruction releases the SSID manager,
    // then the IP manager, then the extension.
    boost::shared_ptr<SerialIR> serial_;
    boost::shared_ptr<IpManager> ipManager_;
    boost::shared_ptr<SSIDManager> ssidManager_;
};
