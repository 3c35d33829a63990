#include "platform/tools/system_informations.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace mirl {
namespace tools {

std::string SystemInformations::ComputerName() {
#ifdef _WIN32
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    if (!GetComputerNameA(name, &size)) {
        return std::string();
    }
    return std::string(name, size);
#else
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) {
        return std::string();
    }
    return std::string(name);
#endif
}

} // namespace tools
} // namespace mirl
