#include "bench/device/detector_state.h"

#include <boost/algorithm/string/join.hpp>

#include <utility>
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

// In the order the help lists them.
const std::pair<Fault, const char*> Faults[] = {
    {Fault::Offline, "offline"},
    {Fault::FailWrite, "fail-write"},
    {Fault::RefuseWrite, "refuse-write"},
    {Fault::MissingFile, "missing:file"},
    {Fault::MissingConnection, "missing:connection"},
    {Fault::MissingNetworkConfig, "missing:network_configuration"},
    {Fault::MissingWifi, "missing:wifi"},
    {Fault::MissingSerialIr, "missing:serial_ir"},
};

} // namespace

boost::optional<Fault> DetectorState::FaultFromName(const std::string& name) {
    for (const auto& fault : Faults) {
        if (name == fault.second) {
            return fault.first;
        }
    }
    return boost::none;
}

std::string DetectorState::FaultName(Fault fault) {
    for (const auto& known : Faults) {
        if (known.first == fault) {
            return known.second;
        }
    }
    return std::string();
}

std::vector<std::string> DetectorState::FaultNames() {
    std::vector<std::string> names;
    for (const auto& fault : Faults) {
        names.push_back(fault.second);
    }
    return names;
}

std::string DetectorState::KnownFaults() {
    return boost::algorithm::join(FaultNames(), ", ");
}

std::vector<std::string> DetectorState::faultNames() const {
    std::vector<std::string> names;
    for (const Fault fault : faults) {
        names.push_back(FaultName(fault));
    }
    return names;
}

} // namespace bench
} // namespace velkor
