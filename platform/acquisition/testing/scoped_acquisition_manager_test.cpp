#include "platform/acquisition/testing/mock_acquisition_manager.h"
#include "platform/acquisition/testing/scoped_acquisition_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using acquisition_testing::MockAcquisitionManager;
using acquisition_testing::ScopedAcquisitionManager;
using mirl::acquisition::AcquisitionManager;
using ::testing::StrictMock;

// Outside the tests' bodies: the failure checks below may not use their locals.
void ExpectManagerThrowsLogicError() {
    EXPECT_THROW(AcquisitionManager::manager(), std::logic_error);
}

TEST(ScopedAcquisitionManagerTest, ManagerIsTheInnermostInstalledOne) {
    StrictMock<MockAcquisitionManager> outer;
    StrictMock<MockAcquisitionManager> inner;
    ScopedAcquisitionManager installOuter(outer);
    EXPECT_EQ(&AcquisitionManager::manager(), &outer);
    {
        ScopedAcquisitionManager installInner(inner);
        EXPECT_EQ(&AcquisitionManager::manager(), &inner);
    }
    EXPECT_EQ(&AcquisitionManager::manager(), &outer);
}

TEST(ScopedAcquisitionManagerTest, WithNoneInstalledManagerFailsTheTestAndThrows) {
    {
        StrictMock<MockAcquisitionManager> manager;
        ScopedAcquisitionManager install(manager);
    }
    EXPECT_NONFATAL_FAILURE(ExpectManagerThrowsLogicError(),
                            "AcquisitionManager::manager() called with no manager installed by "
                            "the test");
}

} // namespace
