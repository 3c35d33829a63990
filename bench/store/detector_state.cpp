#include "bench/store/detector_state.h"

#include <boost/algorithm/string/join.hpp>

#include <iterator>
#include <vector>

namespace velkor {
namespace bench {

boost::optional<Link> DetectorState::LinkFromName(const std::string& name) {
    if (name == "cable") {
        return Link::Cable;
    }
    if (name == "wifi") {
        return Link::Wifi;
    }
    return boost::none;
}

namespace {

const char* const Faults[] = {"offline",      "fail-write",         "refuse-write",
                              "missing:file", "missing:connection", "missing:network_configuration",
                              "missing:wifi", "missing:serial_ir"};

} // namespace

bool DetectorState::IsFaultName(const std::string& fault) {
    for (const char* known : Faults) {
        if (fault == known) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> DetectorState::FaultNames() {
    return std::vector<std::string>(std::begin(Faults), std::end(Faults));
}

std::string DetectorState::KnownFaults() {
    return boost::algorithm::join(FaultNames(), ", ");
}

} // namespace bench
} // namespace velkor
