#pragma once

#include "platform/acquisition/acquisition_manager.h"

namespace detector_testing {

// Chooses what mirl::acquisition::AcquisitionManager::manager() returns while
// the object lives; the previous choice comes back when it goes.
class FakeAcquisitionManager {
public:
    explicit FakeAcquisitionManager(mirl::acquisition::AcquisitionManager& manager);
    ~FakeAcquisitionManager();
    FakeAcquisitionManager(const FakeAcquisitionManager&) = delete;
    FakeAcquisitionManager& operator=(const FakeAcquisitionManager&) = delete;

    // The manager in use; throws std::logic_error when a test installed none.
    static mirl::acquisition::AcquisitionManager& Current();

private:
    mirl::acquisition::AcquisitionManager* previous_;
};

} // namespace detector_testing
