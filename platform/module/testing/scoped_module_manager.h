#pragma once

#include "platform/acquisition/testing/scoped_manager.h"
#include "platform/module/module_manager.h"

namespace module_testing {

// Installs the manager that the test build of
// mirl::module::ModuleManager::manager() returns.
using ScopedModuleManager = acquisition_testing::ScopedManager<mirl::module::ModuleManager>;

} // namespace module_testing
