#pragma once

#include "platform/acquisition/acquisition_manager.h"

namespace acquisition_testing {

// The test build of mirl::acquisition::AcquisitionManager::manager() returns
// the manager installed by the innermost living object of this class; the one
// installed before comes back when it goes. With none installed, manager()
// fails the running test and throws std::logic_error, so that code under test
// that catches everything cannot hide the mistake.
class ScopedAcquisitionManager {
public:
    explicit ScopedAcquisitionManager(mirl::acquisition::AcquisitionManager& manager);
    ~ScopedAcquisitionManager();
    ScopedAcquisitionManager(const ScopedAcquisitionManager&) = delete;
    ScopedAcquisitionManager& operator=(const ScopedAcquisitionManager&) = delete;

private:
    mirl::acquisition::AcquisitionManager* previous_;
};

} // namespace acquisition_testing
