#include "platform/module/testing/scoped_module_manager.h"

mirl::module::ModuleManager& mirl::module::ModuleManager::manager() {
    return module_testing::ScopedModuleManager::Installed("ModuleManager::manager()");
}
