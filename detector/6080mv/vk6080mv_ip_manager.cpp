#include "detector/6080mv/vk6080mv_ip_manager.h"

template class NetworkFamilyIpManager<Vk6080MVTraits>;
