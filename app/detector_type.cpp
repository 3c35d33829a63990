#include "app/detector_type.h"

#include <boost/assign/list_of.hpp>

#include <map>

DetectorType DetectorTypeFromName(const std::string& name) {
    static const std::map<std::string, DetectorType> types =
        boost::assign::map_list_of("6080K", Vk6080K)("6080QL", VknQ2)("4050QL", VknQ2)(
            "7180", Vk7x80)("7380", Vk7x80)("7380TW", Vk7380TW)("6080MV", Vk6080MV);
    const auto found = types.find(name);
    return found == types.end() ? InvalidDetectorType : found->second;
}
