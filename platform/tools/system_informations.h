#pragma once

#include <string>

namespace mirl {
namespace tools {

class SystemInformations {
public:
    // The host's name; an empty text when the system does not give one.
    static std::string ComputerName();
};

} // namespace tools
} // namespace mirl
