#pragma once

#include "platform/module/module_manager.h"

namespace module_testing {

// The test build of mirl::module::ModuleManager::manager() returns the
// manager installed by the innermost living object of this class; the one
// installed before comes back when it goes. With none installed, manager()
// fails the running test and throws std::logic_error, so that code under test
// that catches everything cannot hide the mistake.
class ScopedModuleManager {
public:
    explicit ScopedModuleManager(mirl::module::ModuleManager& manager);
    ~ScopedModuleManager();
    ScopedModuleManager(const ScopedModuleManager&) = delete;
    ScopedModuleManager& operator=(const ScopedModuleManager&) = delete;

private:
    mirl::module::ModuleManager* previous_;
};

} // namespace module_testing
