#pragma once

#include "bench/device/detector_record.h"

#include <string>

namespace velkor {
namespace bench {

// detector.json: a detector of the bench stored whole in one file, so that
// whatever a single library call changes becomes visible at a single rename.
namespace record_json {

std::string ToJson(const DetectorRecord& record);
// Throws BenchError naming what is wrong with the text.
DetectorRecord FromJson(const std::string& text);

} // namespace record_json
} // namespace bench
} // namespace velkor
