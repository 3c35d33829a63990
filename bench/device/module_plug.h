#pragma once

#include <string>

namespace velkor {
namespace bench {

// An infrared module plugged on a port; `detector` is empty when it faces none.
struct ModulePlug {
    std::string port;
    std::string detector;
};

} // namespace bench
} // namespace velkor
