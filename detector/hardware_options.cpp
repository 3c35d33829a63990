#include "detector/hardware_options.h"

HardwareOptions& HardwareOptions::Add(const std::string& name, const std::string& value) {
    group_.options.push_back(mirl::acquisition::Option{name, 0, value, false});
    return *this;
}

void HardwareOptions::AppendTo(mirl::acquisition::OptionGroups& groups) const {
    groups.push_back(group_);
}
