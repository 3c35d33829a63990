#include "platform/tools/system_informations.h"

#include <unistd.h>

namespace mirl {
namespace tools {

std::string SystemInformations::ComputerName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) {
        return std::string();
    }
    return std::string(name);
}

} // namespace tools
} // namespace mirl
