#pragma once

#include "bench/store/bytes.h"
#include "bench/store/detector_state.h"

#include <boost/optional.hpp>

#include <string>

namespace velkor {
namespace bench {

// Everything one detector of the bench keeps, stored as one file: whatever a
// single library call changes becomes visible at a single rename.
struct DetectorRecord {
    DetectorState state;
    Bytes file;             // the numbered file (68 or 206); empty for the other models
    std::string userConfig; // the XML text; empty for models without Wi-Fi
    boost::optional<std::string> password;

    std::string toJson() const;
    // Throws BenchError naming what is wrong with the text.
    static DetectorRecord FromJson(const std::string& text);
};

} // namespace bench
} // namespace velkor
