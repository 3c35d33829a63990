#include "bench/store/detector_state.h"

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

const char* const kFaults[] = {
    "offline",      "fail-write",         "refuse-write",
    "missing:file", "missing:connection", "missing:network_configuration",
    "missing:wifi", "missing:serial_ir"};

} // namespace

bool DetectorState::IsFaultName(const std::string& fault) {
    for (const char* known : kFaults) {
        if (fault == known) {
            return true;
        }
    }
    return false;
}

std::string DetectorState::KnownFaults() {
    std::string names;
    for (const char* known : kFaults) {
        names += (names.empty() ? "" : ", ") + std::string(known);
    }
    return names;
}

} // namespace bench
} // namespace velkor
