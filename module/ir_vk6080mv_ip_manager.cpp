#include "module/ir_vk6080mv_ip_manager.h"

const std::string IRVk6080MVIpManager::ModuleName = "MV_IR";
const char* const IRVk6080MVIpManager::ClassName = "IRVk6080MVIpManager";
// This one line has always begun with a blank; log readers match it as it is.
const char* const IRVk6080MVIpManager::SsidWriteErrorLead = " ";

template class InfraredIpManager<IRVk6080MVIpManager>;
