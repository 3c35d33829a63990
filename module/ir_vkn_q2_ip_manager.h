#pragma once

#include "module/infrared_ip_manager.h"

#include <string>

// Infrared module "QL_IR", used for the nQ2 platform detectors.
class IRVknQ2IpManager : public InfraredIpManager<IRVknQ2IpManager> {
public:
    static const std::string ModuleName;
    static const char* const ClassName;
    static const char* const SsidWriteErrorLead;
};

extern template class InfraredIpManager<IRVknQ2IpManager>;
