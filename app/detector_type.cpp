#include "app/detector_type.h"

#include <algorithm>
#include <utility>

namespace {

// The command-line texts in the order the help names them, and their families.
const std::vector<std::pair<std::string, DetectorType>>& Types() {
    static const std::vector<std::pair<std::string, DetectorType>> types = {
        {"6080K", Vk6080K}, {"4050QL", VknQ2},    {"6080QL", VknQ2},   {"7180", Vk7x80},
        {"7380", Vk7x80},   {"7380TW", Vk7380TW}, {"6080MV", Vk6080MV}};
    return types;
}

} // namespace

const std::vector<std::string>& DetectorTypeNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const auto& type : Types()) {
            all.push_back(type.first);
        }
        return all;
    }();
    return names;
}

DetectorType DetectorTypeFromName(const std::string& name) {
    const auto& types = Types();
    const auto found = std::find_if(types.begin(), types.end(),
                                    [&name](const auto& type) { return type.first == name; });
    return found == types.end() ? InvalidDetectorType : found->second;
}

namespace detector_type {

const char* FamilyName(DetectorType type) {
    switch (type) {
    case Vk6080K:
        return "Vk6080K";
    case VknQ2:
        return "VknQ2";
    case Vk7x80:
        return "Vk7x80";
    case Vk7380TW:
        return "Vk7380TW";
    case Vk6080MV:
        return "Vk6080MV";
    default:
        return "unknown";
    }
}

} // namespace detector_type
