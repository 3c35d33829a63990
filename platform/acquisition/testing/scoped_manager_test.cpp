// Both test builds of manager() are checked here, the module library's mocks
// being built on the acquisition library's.
#include "platform/acquisition/testing/mock_acquisition_manager.h"
#include "platform/acquisition/testing/scoped_acquisition_manager.h"
#include "platform/module/testing/mock_module_manager.h"
#include "platform/module/testing/scoped_module_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using acquisition_testing::ScopedManager;
using ::testing::StrictMock;

struct AcquisitionLibrary {
    using Manager = mirl::acquisition::AcquisitionManager;
    using Mock = acquisition_testing::MockAcquisitionManager;
    static constexpr const char* Problem =
        "AcquisitionManager::manager() called with no manager installed by the test";
};

struct ModuleLibrary {
    using Manager = mirl::module::ModuleManager;
    using Mock = module_testing::MockModuleManager;
    static constexpr const char* Problem =
        "ModuleManager::manager() called with no manager installed by the test";
};

template <typename Library> class ScopedManagerTest : public ::testing::Test {};
using Libraries = ::testing::Types<AcquisitionLibrary, ModuleLibrary>;
TYPED_TEST_SUITE(ScopedManagerTest, Libraries);

// Outside the tests' bodies: the failure checks below may not use their locals.
template <typename Manager> void ExpectManagerThrowsLogicError() {
    EXPECT_THROW(Manager::manager(), std::logic_error);
}

TYPED_TEST(ScopedManagerTest, ManagerIsTheInnermostInstalledOne) {
    using Manager = typename TypeParam::Manager;
    StrictMock<typename TypeParam::Mock> outer;
    StrictMock<typename TypeParam::Mock> inner;
    ScopedManager<Manager> installOuter(outer);
    EXPECT_EQ(&Manager::manager(), &outer);
    {
        ScopedManager<Manager> installInner(inner);
        EXPECT_EQ(&Manager::manager(), &inner);
    }
    EXPECT_EQ(&Manager::manager(), &outer);
}

TYPED_TEST(ScopedManagerTest, WithNoneInstalledManagerFailsTheTestAndThrows) {
    using Manager = typename TypeParam::Manager;
    {
        StrictMock<typename TypeParam::Mock> manager;
        ScopedManager<Manager> install(manager);
    }
    EXPECT_NONFATAL_FAILURE(ExpectManagerThrowsLogicError<Manager>(), TypeParam::Problem);
}

} // namespace
