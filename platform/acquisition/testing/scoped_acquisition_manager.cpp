#include "platform/acquisition/testing/scoped_acquisition_manager.h"

mirl::acquisition::AcquisitionManager& mirl::acquisition::AcquisitionManager::manager() {
    return acquisition_testing::ScopedAcquisitionManager::Installed(
        "AcquisitionManager::manager()");
}
