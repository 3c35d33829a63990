#include "platform/acquisition/testing/scoped_acquisition_manager.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace acquisition_testing {

namespace {
mirl::acquisition::AcquisitionManager* installed = nullptr;
} // namespace

ScopedAcquisitionManager::ScopedAcquisitionManager(mirl::acquisition::AcquisitionManager& manager)
    : previous_(installed) {
    installed = &manager;
}

ScopedAcquisitionManager::~ScopedAcquisitionManager() {
    installed = previous_;
}

} // namespace acquisition_testing

mirl::acquisition::AcquisitionManager& mirl::acquisition::AcquisitionManager::manager() {
    if (acquisition_testing::installed == nullptr) {
        const char* const problem =
            "AcquisitionManager::manager() called with no manager installed by the test";
        ADD_FAILURE() << problem;
        throw std::logic_error(problem);
    }
    return *acquisition_testing::installed;
}
