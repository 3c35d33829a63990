#pragma once

#include "platform/acquisition/config_parser.h"

#include <string>

// Builds the one option group "hardware" through which every family tells
// the library how to reach its detector; options keep the order they are added in.
class HardwareOptions {
public:
    HardwareOptions& Add(const std::string& name, const std::string& value);
    void AppendTo(mirl::acquisition::OptionGroups& groups) const;

private:
    mirl::acquisition::OptionGroup group_{"hardware", 0, {}};
};
