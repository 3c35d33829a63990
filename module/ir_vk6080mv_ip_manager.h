#pragma once

#include "module/infrared_ip_manager.h"

#include <string>

// Infrared module "MV_IR", used for the 6080MV detectors.
class IRVk6080MVIpManager : public InfraredIpManager<IRVk6080MVIpManager> {
public:
    static const std::string ModuleName;
    static const char* const ClassName;
    static const char* const SsidWriteErrorLead;
};

extern template class InfraredIpManager<IRVk6080MVIpManager>;
