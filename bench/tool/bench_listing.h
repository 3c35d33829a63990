#pragma once

#include "bench/store/bench_store.h"

#include <ostream>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

// What `list` prints: a table of the detectors (damaged ones with the reason)
// and the infrared modules, or one JSON object. `bench` names the folder.
void PrintListing(std::ostream& out, const std::string& bench,
                  const std::vector<DetectorEntry>& entries, const std::vector<ModulePlug>& modules,
                  bool json);

} // namespace bench
} // namespace velkor
