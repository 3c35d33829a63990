#include "platform/module/testing/scoped_module_manager.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace module_testing {

namespace {
mirl::module::ModuleManager* installed = nullptr;
} // namespace

ScopedModuleManager::ScopedModuleManager(mirl::module::ModuleManager& manager)
    : previous_(installed) {
    installed = &manager;
}

ScopedModuleManager::~ScopedModuleManager() {
    installed = previous_;
}

} // namespace module_testing

mirl::module::ModuleManager& mirl::module::ModuleManager::manager() {
    if (module_testing::installed == nullptr) {
        const char* const problem =
            "ModuleManager::manager() called with no manager installed by the test";
        ADD_FAILURE() << problem;
        throw std::logic_error(problem);
    }
    return *module_testing::installed;
}
