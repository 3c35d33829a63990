#pragma once

#include "platform/acquisition/acquisition_manager.h"
#include "platform/acquisition/testing/scoped_manager.h"

namespace acquisition_testing {

// Installs the manager that the test build of
// mirl::acquisition::AcquisitionManager::manager() returns.
using ScopedAcquisitionManager = ScopedManager<mirl::acquisition::AcquisitionManager>;

} // namespace acquisition_testing
