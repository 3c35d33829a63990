#pragma once

#include "bench/device/detector_state.h"
#include "bench/text/bytes.h"

#include <boost/optional.hpp>

#include <string>

namespace velkor {
namespace bench {

// Everything one detector of the bench keeps (stored as one file, see
// record_json).
struct DetectorRecord {
    DetectorState state;
    Bytes file;             // the numbered file (68 or 206); empty for the other models
    std::string userConfig; // the XML text; empty for models without Wi-Fi
    boost::optional<std::string> password;
};

} // namespace bench
} // namespace velkor
