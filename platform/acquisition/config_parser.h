#pragma once

#include <string>
#include <vector>

namespace mirl {
namespace acquisition {

// One option set on a library component.
struct Option {
    std::string name;
    int id = 0;
    std::string value;
    bool flag = false;
};

// A named list of options; the program always fills one group "hardware".
struct OptionGroup {
    std::string name;
    int id = 0;
    std::vector<Option> options;
};

using OptionGroups = std::vector<OptionGroup>;

// Sets the options of a scanned component (board, detector or module)
// before it is fetched.
class ConfigParser {
public:
    virtual ~ConfigParser() = default;
    virtual void applyOptions(const OptionGroups& groups, bool flag) = 0;
};

} // namespace acquisition
} // namespace mirl
