#include "detector/detector_parameter.h"

#include <algorithm>

DetectorParameter::Modes DetectorParameter::getModes() const {
    Modes result;
    for (const auto& mode : modes) {
        result.emplace(mode.first, Modes::mapped_type(mode.second));
    }
    return result;
}

std::string DetectorParameter::getTextOf(std::uint16_t value) const {
    for (const auto& entry : texts) {
        if (std::find(entry.second.begin(), entry.second.end(), value) != entry.second.end()) {
            return entry.first;
        }
    }
    return std::string();
}

void DetectorParameter::FillNotUsed() {
    name = "NotUsed";
    modes[1] = DetectorConfigMode();
}
