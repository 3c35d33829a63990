#pragma once

#include "platform/module/module_manager.h"

#include <gmock/gmock.h>

#include <string>

namespace module_testing {

// Install one with ScopedModuleManager to have the code under test reach it.
class MockModuleManager : public mirl::module::ModuleManager {
public:
    MOCK_METHOD(void, init, (), (override));
    MOCK_METHOD(void, scanModules, (const std::string& name), (override));
    MOCK_METHOD(mirl::module::ConfigParser&, getModuleOptionsParser, (const std::string& name),
                (override));
    MOCK_METHOD(boost::shared_ptr<mirl::module::Module>, getModule, (const std::string& name),
                (override));
    MOCK_METHOD(void, clear, (), (override));
};

} // namespace module_testing
