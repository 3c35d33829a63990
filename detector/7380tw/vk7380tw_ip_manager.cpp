#include "detector/7380tw/vk7380tw_ip_manager.h"

template class NetworkFamilyIpManager<Vk7380TWTraits>;
