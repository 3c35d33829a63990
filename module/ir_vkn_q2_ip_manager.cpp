#include "module/ir_vkn_q2_ip_manager.h"

const std::string IRVknQ2IpManager::ModuleName = "QL_IR";
const char* const IRVknQ2IpManager::ClassName = "IRVknQ2IpManager";
const char* const IRVknQ2IpManager::SsidWriteErrorLead = "";

template class InfraredIpManager<IRVknQ2IpManager>;
