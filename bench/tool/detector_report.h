#pragma once

#include "bench/store/bench_catalogue.h"
#include "bench/store/detector_session.h"
#include "bench/tool/report.h"

#include <vector>

namespace velkor {
namespace bench {

// What `show` tells about an open detector: its state, its decoded file or
// stored network configuration, its Wi-Fi (never the password) and the
// infrared module among `modules` that faces it.
Report DetectorReport(const DetectorSession& session, const std::vector<ModulePlug>& modules);

} // namespace bench
} // namespace velkor
