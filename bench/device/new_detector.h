#pragma once

#include "bench/device/bench_model.h"
#include "bench/device/detector_record.h"

#include <boost/optional.hpp>

#include <string>

namespace velkor {
namespace bench {

// A detector as it leaves the factory: its file or network configuration,
// its user configuration with Wi-Fi on, no password. Without `host` or
// `link`, the model's usual ones are taken. Throws BenchError for an address
// or host the model does not take.
DetectorRecord NewDetector(const BenchModel& model, const std::string& id,
                           const std::string& address, const boost::optional<std::string>& host,
                           const boost::optional<Link>& link, const std::string& ssid);

} // namespace bench
} // namespace velkor
