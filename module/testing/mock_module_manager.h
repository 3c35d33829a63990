#pragma once

#include "platform/module/module_manager.h"

#include <gmock/gmock.h>

#include <string>

namespace module_testing {

// Stands in for the module library's manager in unit tests. A test installs
// one with Install(); ModuleManager::manager() then returns it.
class MockModuleManager : public mirl::module::ModuleManager {
public:
    MOCK_METHOD(void, init, (), (override));
    MOCK_METHOD(void, scanModules, (const std::string& name), (override));
    MOCK_METHOD(mirl::module::ConfigParser&, getModuleOptionsParser, (const std::string& name),
                (override));
    MOCK_METHOD(boost::shared_ptr<mirl::module::Module>, getModule, (const std::string& name),
                (override));
    MOCK_METHOD(void, clear, (), (override));

    // nullptr uninstalls; a call to manager() without a mock aborts the test run.
    static void Install(MockModuleManager* manager);
};

} // namespace module_testing
