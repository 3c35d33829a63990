#include "detector/nq2/vknq2_ip_manager.h"

template class NetworkFamilyIpManager<VknQ2Traits>;
