#pragma once

#include "bench/device/detector_state.h"
#include "bench/device/module_plug.h"

#include <string>
#include <vector>

namespace velkor {
namespace bench {

// What `velkor-bench init` sets up: one detector of every model, named after
// it, and the infrared modules.
struct FactoryDetector {
    const char* model;
    const char* address;
    const char* host; // null: the model's usual one
    Link link;
};

namespace factory {

const std::vector<FactoryDetector>& Detectors();
const std::vector<ModulePlug>& Modules();
// "7 detectors, an infrared module on COM3".
std::string Summary();

} // namespace factory
} // namespace bench
} // namespace velkor
