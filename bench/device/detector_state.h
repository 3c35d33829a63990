#pragma once

#include "bench/device/bench_model.h"

#include <boost/optional.hpp>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

enum class Link { Cable, Wifi };

// What `velkor-bench fault` makes a detector do wrong. Declared in the order
// of their names, the order they are stored and listed in.
enum class Fault {
    FailWrite,            // "fail-write": every write throws, nothing is stored
    MissingConnection,    // "missing:connection": the extension is absent
    MissingFile,          // "missing:file"
    MissingNetworkConfig, // "missing:network_configuration"
    MissingSerialIr,      // "missing:serial_ir"
    MissingWifi,          // "missing:wifi"
    Offline,              // "offline": nobody answers
    RefuseWrite,          // "refuse-write": writeAddresses answers false
};

// What a detector of the bench is and holds, apart from its raw file, its
// user configuration document and its password (see DetectorRecord).
struct DetectorState {
    std::string id;
    const BenchModel* model = nullptr;
    std::string address; // the address it answers at now
    Link link = Link::Cable;
    std::set<Fault> faults;

    // 6080K, 7180/7380: the file was written since the last boot.
    bool pendingReboot = false;

    // 6080QL/4050QL, 7380TW, 6080MV: the stored network configuration, and
    // whether it was written but not applied yet.
    std::string storedAddress;
    std::uint16_t detectorValue = 0;
    std::string hostAddress; // CIDR text
    std::uint16_t commandPort = 0;
    std::uint16_t imagePort = 0;
    bool pendingApply = false;
    std::string ssid;

    unsigned applyNetworkConfigCalls = 0;
    unsigned applyUserConfigCalls = 0;
    boost::optional<bool> lastUserConfigOverCable;
    std::string hostName;

    bool hasFault(Fault fault) const { return faults.count(fault) != 0; }
    // The names of its faults, in their order.
    std::vector<std::string> faultNames() const;

    // Fault names are read once, where they come in (the command line, a
    // stored file); empty for a name that is not one.
    static boost::optional<Fault> FaultFromName(const std::string& name);
    static std::string FaultName(Fault fault);
    // Every name, in the order the help lists them.
    static std::vector<std::string> FaultNames();
    static std::string KnownFaults();

    static std::string LinkName(Link link) { return link == Link::Cable ? "cable" : "wifi"; }
    static boost::optional<Link> LinkFromName(const std::string& name);
};

} // namespace bench
} // namespace velkor
