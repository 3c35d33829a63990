#include "module/testing/mock_module_manager.h"

#include <cstdio>
#include <cstdlib>

namespace {

module_testing::MockModuleManager* installed = nullptr;

} // namespace

namespace module_testing {

void MockModuleManager::Install(MockModuleManager* manager) {
    installed = manager;
}

} // namespace module_testing

mirl::module::ModuleManager& mirl::module::ModuleManager::manager() {
    if (installed == nullptr) {
        std::fputs("ModuleManager::manager() called without a mock installed\n", stderr);
        std::abort();
    }
    return *installed;
}
