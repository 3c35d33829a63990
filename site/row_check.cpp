#include "site/row_check.h"

#include "app/action_type.h"
#include "app/command_line.h"
#include "app/request_checks.h"
#include "site/program_arguments.h"
#include "site/redaction.h"

#include <boost/algorithm/string/predicate.hpp>

#include <sstream>

namespace {

// The program's lines that tell what it refused: its "Error - " lines and
// the rule checker's detail lines, in the order written.
std::vector<std::string> ProblemLines(const std::string& console) {
    std::vector<std::string> lines;
    std::istringstream in(console);
    for (std::string line; std::getline(in, line);) {
        if (boost::starts_with(line, "Error - ") || boost::starts_with(line, "\t--> ")) {
            lines.push_back(line);
        }
    }
    return lines;
}

// Runs the program's checks; false where the program would stop.
bool RunChecks(const PlanRow& row, std::ostream& console, RowCheck& check) {
    std::vector<std::string> words = ProgramArguments(row);
    words.insert(words.begin(), "velkor-ipconfig-cmd");
    std::vector<const char*> argv;
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    CommandLine commandLine;
    if (!request_checks::ParseCommandLine(commandLine, static_cast<int>(argv.size()), argv.data(),
                                          console, console)) {
        return false;
    }
    const auto checked = request_checks::CheckRequest(commandLine, console, console);
    if (!checked) {
        return false;
    }
    check.type = checked->type;
    for (const ActionType action :
         {ActionType::IpConfiguration, ActionType::SsidConfiguration, ActionType::WifiActivation}) {
        if (checked->request.IsAccepted(action)) {
            check.requests.push_back(ActionName(action));
        }
    }
    const bool ip = checked->request.IsAccepted(ActionType::IpConfiguration);
    const CommandLineValues& values = commandLine.Values();
    if (checked->viaModule) {
        if (ip) {
            check.leftForRun.push_back(
                "the address checks, against the addresses read over infrared");
        }
        return true;
    }
    if (!request_checks::CheckConnection(check.type, values, console) ||
        (ip && !request_checks::CheckNewAddresses(check.type, values.currentDetectorIp,
                                                  values.currentPeerIp, values.newDetectorIp,
                                                  values.newPeerIp, console, console))) {
        return false;
    }
    if (check.requests.size() > 1) {
        check.leftForRun.push_back("the link: over Wi-Fi the program carries out one request "
                                   "per run");
    }
    return true;
}

std::string AddressPart(const PlanRow& row, const std::string& peerIp) {
    return detector_type::PeerAddress(DetectorTypeFromName(row.type), peerIp);
}

} // namespace

RowCheck CheckRow(const PlanRow& row) {
    RowCheck check;
    if (!row.road.empty() && row.road != "network" && row.road != "module") {
        check.problems.push_back("road is network or module, not " + row.road);
        return check;
    }
    // Both streams into one, so that the lines keep the order they are written in.
    std::ostringstream console;
    if (!RunChecks(row, console, check)) {
        check.problems = ProblemLines(Redacted(console.str(), row.newPassword));
    }
    return check;
}

void CheckRowsAgainstEachOther(const std::vector<PlanRow>& rows, std::vector<RowCheck>& checks) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            const PlanRow& a = rows[i];
            const PlanRow& b = rows[j];
            // Each problem is listed under both rows, naming the other one.
            const auto both = [&](const std::string& text) {
                checks[i].problems.push_back(text + " as line " + std::to_string(b.line));
                checks[j].problems.push_back(text + " as line " + std::to_string(a.line));
            };
            if (!ViaModule(a) && !ViaModule(b) && !a.currentDetectorIp.empty() &&
                a.currentDetectorIp == b.currentDetectorIp) {
                both("the same detector (reached at " + a.currentDetectorIp + ")");
            }
            if (ViaModule(a) && ViaModule(b) && a.serialPort == b.serialPort) {
                both(a.serialPort.empty()
                         ? "the same detector (the module on the first serial port that opens)"
                         : "the same detector (the module on " + a.serialPort + ")");
            }
            if (!a.newDetectorIp.empty() && a.newDetectorIp == b.newDetectorIp) {
                both("the same new detector address " + a.newDetectorIp);
            }
            if (DetectorTypeFromName(a.type) == Vk7x80 && DetectorTypeFromName(b.type) == Vk7x80 &&
                !a.newPeerIp.empty() && a.newPeerIp == b.newPeerIp) {
                both("the same 7180/7380 address pair (host " + a.newPeerIp + ")");
            }
            for (const auto& pair : {std::make_pair(i, j), std::make_pair(j, i)}) {
                const PlanRow& detector = rows[pair.first];
                const PlanRow& peer = rows[pair.second];
                if (!detector.newDetectorIp.empty() &&
                    detector.newDetectorIp == AddressPart(peer, peer.newPeerIp)) {
                    checks[pair.first].problems.push_back(
                        "new detector address " + detector.newDetectorIp +
                        " is the new peer address of line " + std::to_string(peer.line));
                    checks[pair.second].problems.push_back("new peer address " + peer.newPeerIp +
                                                           " is the new detector address of line " +
                                                           std::to_string(detector.line));
                }
            }
        }
    }
}
