#include "platform/module/testing/mock_module_manager.h"
#include "platform/module/testing/scoped_module_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using mirl::module::ModuleManager;
using module_testing::MockModuleManager;
using module_testing::ScopedModuleManager;
using ::testing::StrictMock;

// Outside the tests' bodies: the failure checks below may not use their locals.
void ExpectManagerThrowsLogicError() {
    EXPECT_THROW(ModuleManager::manager(), std::logic_error);
}

TEST(ScopedModuleManagerTest, ManagerIsTheInnermostInstalledOne) {
    StrictMock<MockModuleManager> outer;
    StrictMock<MockModuleManager> inner;
    ScopedModuleManager installOuter(outer);
    EXPECT_EQ(&ModuleManager::manager(), &outer);
    {
        ScopedModuleManager installInner(inner);
        EXPECT_EQ(&ModuleManager::manager(), &inner);
    }
    EXPECT_EQ(&ModuleManager::manager(), &outer);
}

TEST(ScopedModuleManagerTest, WithNoneInstalledManagerFailsTheTestAndThrows) {
    {
        StrictMock<MockModuleManager> manager;
        ScopedModuleManager install(manager);
    }
    EXPECT_NONFATAL_FAILURE(ExpectManagerThrowsLogicError(),
                            "ModuleManager::manager() called with no manager installed by the "
                            "test");
}

} // namespace
