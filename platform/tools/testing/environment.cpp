#include "platform/tools/testing/environment.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tools_testing {

bool UnderWine() {
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

void SetVariable(const std::string& name, const std::string& value) {
#ifdef _WIN32
    ::_putenv_s(name.c_str(), value.c_str());
#else
    ::setenv(name.c_str(), value.c_str(), 1);
#endif
}

void UnsetVariable(const std::string& name) {
#ifdef _WIN32
    // An empty value removes the variable.
    ::_putenv_s(name.c_str(), "");
#else
    ::unsetenv(name.c_str());
#endif
}

ScopedEnvironment::~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->second) {
            SetVariable(it->first, *it->second);
        } else {
            UnsetVariable(it->first);
        }
    }
}

void ScopedEnvironment::remember(const std::string& name) {
    if (std::none_of(saved_.begin(), saved_.end(),
                     [&name](const auto& entry) { return entry.first == name; })) {
        const char* value = std::getenv(name.c_str());
        saved_.emplace_back(name, value ? boost::optional<std::string>(value) : boost::none);
    }
}

ScopedEnvironment& ScopedEnvironment::set(const std::string& name, const std::string& value) {
    remember(name);
    SetVariable(name, value);
    return *this;
}

ScopedEnvironment& ScopedEnvironment::unset(const std::string& name) {
    remember(name);
    UnsetVariable(name);
    return *this;
}

void ScopedEnvironment::ReloadTimeZone() {
#ifdef _WIN32
    ::_tzset();
#else
    ::tzset();
#endif
}

} // namespace tools_testing
