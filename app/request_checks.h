#pragma once

#include "app/action_request.h"
#include "app/command_line.h"
#include "app/detector_type.h"

#include <boost/optional.hpp>

#include <ostream>
#include <string>

// What the program checks of one invocation before it contacts a detector,
// each check with its console lines ("Info - " lines and the per-family
// address subset errors to `out`, the other "Error - " lines to `err`, each
// line flushed). The driver runs them in this order; velkor-site runs the same
// ones on the rows of a plan, so that both say the same about a command line.
// A check that fails has written its lines: the run ends there with status 1.
namespace request_checks {

// A request the rules accepted, and the road it takes.
struct CheckedRequest {
    DetectorType type;
    bool viaModule;
    ActionRequest request;
};

// Parses and stores the words; on a command line the option library refuses,
// writes the error line and the option table.
bool ParseCommandLine(CommandLine& commandLine, int argc, const char* const argv[],
                      std::ostream& out, std::ostream& err);

// The detector type, the request set and the rule table of the road.
boost::optional<CheckedRequest> CheckRequest(const CommandLine& commandLine, std::ostream& out,
                                             std::ostream& err);

// Network road, before the detector is opened: the addresses it is reached by.
bool CheckConnection(DetectorType type, const CommandLineValues& values, std::ostream& err);

// Both roads, before new addresses are written: the address change, then the
// family's address sets. On the module road the current addresses are the
// ones read from the detector.
bool CheckNewAddresses(DetectorType type, const std::string& currentDetectorIp,
                       const std::string& currentPeerIp, const std::string& newDetectorIp,
                       const std::string& newPeerIp, std::ostream& out, std::ostream& err);

} // namespace request_checks
