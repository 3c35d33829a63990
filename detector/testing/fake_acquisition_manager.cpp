#include "detector/testing/fake_acquisition_manager.h"

#include <stdexcept>

namespace detector_testing {

namespace {
mirl::acquisition::AcquisitionManager* installed = nullptr;
} // namespace

FakeAcquisitionManager::FakeAcquisitionManager(mirl::acquisition::AcquisitionManager& manager)
    : previous_(installed) {
    installed = &manager;
}

FakeAcquisitionManager::~FakeAcquisitionManager() {
    installed = previous_;
}

mirl::acquisition::AcquisitionManager& FakeAcquisitionManager::Current() {
    if (installed == nullptr) {
        throw std::logic_error("no acquisition manager installed by the test");
    }
    return *installed;
}

} // namespace detector_testing

mirl::acquisition::AcquisitionManager& mirl::acquisition::AcquisitionManager::manager() {
    return detector_testing::FakeAcquisitionManager::Current();
}
