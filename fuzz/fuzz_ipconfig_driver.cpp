// The whole command line: IpConfigDriver::Run with arbitrary words, over
// recording fakes of the network and module roads.
//
// Input: three bytes that decide what the fakes answer (see Behaviour), then
// the command-line words separated by NUL bytes (the program name is added).
//
// Properties: the status is 0 or 1; the roads are only used when the command
// line parses, and only one of them per run; a detector is opened only with
// current addresses that pass the program's own check, and the addresses are
// changed (either road) only to the new addresses given, which pass the
// program's address and subset checks for that detector type against the
// current ones; the SSID and password are only sent when both were given; the
// Wi-Fi switch goes as asked; over a Wi-Fi link at most one change is made,
// and over a cable they come in the order Wi-Fi, SSID, addresses; a status of
// 0 means the road was closed after its changes; a "SUCCEEDED" line appears
// once for each change a fake reported as made, and never otherwise; the log
// file exists after the run.

#include "addressing/ip_address_checks.h"
#include "app/command_line.h"
#include "app/detector_type.h"
#include "app/ipconfig_driver.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/recording_access.h"
#include "platform/tools/logger.h"

#include <boost/filesystem.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = boost::filesystem;

namespace {

fs::path scratch;

void RemoveScratch() {
    boost::system::error_code ignored;
    fs::remove_all(scratch, ignored);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// The "SUCCEEDED" lines of one kind of change, or of all kinds for nullptr.
// A word of the command line holding "SUCCEEDED" may be echoed in an error
// line, so then only the "Info - " lines of the output count.
int SucceededLines(const std::string& out, const std::string& err, bool echoed, const char* kind) {
    int count = 0;
    for (const std::string* text : {&out, &err}) {
        for (const std::string& line : Lines(*text)) {
            if (!Contains(line, "SUCCEEDED") || (kind && !Contains(line, kind))) {
                continue;
            }
            if (echoed && (text != &out || line.compare(0, 7, "Info - ") != 0)) {
                continue;
            }
            ++count;
        }
    }
    return count;
}

int TrueChanges(const std::vector<fuzz::Change>& changes, int kind) {
    int count = 0;
    for (const fuzz::Change& change : changes) {
        if (change.result && (kind < 0 || change.kind == kind)) {
            ++count;
        }
    }
    return count;
}

bool HasCidrPeer(DetectorType type) {
    return type == VknQ2 || type == Vk7380TW || type == Vk6080MV;
}

// The changes asked of one road, against the command line that was parsed.
void CheckChanges(const std::vector<fuzz::Change>& changes, DetectorType type,
                  const CommandLineValues& values, const std::string& currentDetectorIp,
                  const std::string& currentPeerIp) {
    fuzz::NullStream silent;
    int lastKind = -1;
    for (const fuzz::Change& change : changes) {
        FUZZ_REQUIRE(static_cast<int>(change.kind) > lastKind,
                     "changes repeated or out of the order Wi-Fi, SSID, addresses");
        lastKind = static_cast<int>(change.kind);
        switch (change.kind) {
        case fuzz::Change::WifiEnable:
            FUZZ_REQUIRE(change.first == (values.wifiEnable ? "true" : "false"),
                         "the Wi-Fi switch was not set as the command line asked");
            break;
        case fuzz::Change::WifiPasswd:
            FUZZ_REQUIRE(!change.first.empty() && !change.second.empty(),
                         "an SSID change was sent without both SSID and password");
            FUZZ_REQUIRE(change.first == values.newSsid && change.second == values.newPassword,
                         "the SSID or password sent is not the one given");
            break;
        case fuzz::Change::Addresses:
            FUZZ_REQUIRE(change.first == values.newPeerIp && change.second == values.newDetectorIp,
                         "the addresses sent are not the new addresses given");
            FUZZ_REQUIRE(CheckIpAddressChange(type, currentDetectorIp, currentPeerIp, change.second,
                                              change.first, silent),
                         "addresses that fail the address change check were sent");
            FUZZ_REQUIRE(CheckIpSubsetRules(type, currentDetectorIp, currentPeerIp, change.second,
                                            change.first, silent),
                         "addresses outside the family's subset were sent");
            break;
        }
    }
}

void Check(int status, const std::vector<const char*>& argv,
           const fuzz::RecordingDetector& detector, const fuzz::RecordingModule& module,
           const std::string& out, const std::string& err) {
    FUZZ_REQUIRE(status == 0 || status == 1, "the status is neither 0 nor 1");

    bool echoed = false;
    for (const char* word : argv) {
        echoed = echoed || Contains(word, "SUCCEEDED");
    }
    const std::vector<fuzz::Change>& changes =
        detector.changes.empty() ? module.changes : detector.changes;
    FUZZ_REQUIRE(SucceededLines(out, err, echoed, nullptr) == TrueChanges(changes, -1),
                 "SUCCEEDED lines do not match the changes reported as made");
    FUZZ_REQUIRE(SucceededLines(out, err, echoed, "wifi configuration") ==
                         TrueChanges(changes, fuzz::Change::WifiEnable) &&
                     SucceededLines(out, err, echoed, "ssid/pwd") ==
                         TrueChanges(changes, fuzz::Change::WifiPasswd) &&
                     SucceededLines(out, err, echoed, "ip address") ==
                         TrueChanges(changes, fuzz::Change::Addresses),
                 "a SUCCEEDED line names another change than the one made");

    const bool detectorUsed = detector.creates > 0 || detector.calls > 0 || detector.deletes > 0;
    const bool moduleUsed = module.calls > 0;
    FUZZ_REQUIRE(!(detectorUsed && moduleUsed), "both roads were used in one run");
    FUZZ_REQUIRE(detector.creates <= 1 && detector.deletes <= 1 && module.deletes <= 1,
                 "a road was opened or closed more than once");
    FUZZ_REQUIRE(detector.changesBeforeOpen == 0 && module.changesBeforeOpen == 0,
                 "a change was asked before the road was opened");
    if (!detectorUsed && !moduleUsed) {
        FUZZ_REQUIRE(status == 1, "a run that used no road ended with 0");
        return;
    }

    CommandLine commandLine;
    try {
        commandLine.Parse(static_cast<int>(argv.size()), argv.data());
    } catch (...) {
        FUZZ_REQUIRE(false, "a road was used although the command line does not parse");
    }
    const CommandLineValues& values = commandLine.Values();
    const DetectorType type = DetectorTypeFromName(values.type);
    FUZZ_REQUIRE(type != InvalidDetectorType, "a road was used without a valid detector type");
    FUZZ_REQUIRE(commandLine.IsGiven("module") == moduleUsed,
                 "the road taken is not the one asked");

    if (detectorUsed) {
        fuzz::NullStream silent;
        FUZZ_REQUIRE(detector.creates == 1, "the network road did not open the detector first");
        FUZZ_REQUIRE(detector.createdType == type, "the detector was opened as another type");
        FUZZ_REQUIRE(
            CheckCurrentIpAddresses(type, values.currentDetectorIp, values.currentPeerIp, silent),
            "a detector was opened with current addresses that fail the check");
        std::string peer = values.currentPeerIp;
        if (HasCidrPeer(type)) {
            peer = peer.substr(0, peer.find('/'));
        }
        FUZZ_REQUIRE(detector.createdDetectorIp == values.currentDetectorIp &&
                         detector.createdPeerIp == peer,
                     "the detector was opened with other addresses than the current ones");
        if (detector.linkAsked && !detector.cable) {
            FUZZ_REQUIRE(detector.changes.size() <= 1, "more than one change over a Wi-Fi link");
        }
        CheckChanges(detector.changes, type, values, values.currentDetectorIp,
                     values.currentPeerIp);
        if (status == 0) {
            FUZZ_REQUIRE(detector.deletes == 1 &&
                             detector.deletedAfterChanges == detector.changes.size(),
                         "status 0 without the detector closed after its changes");
        }
    } else {
        // The module road's current addresses are the ones the module reported.
        CheckChanges(module.changes, type, values, module.reportedDetectorIp,
                     module.reportedHostIp);
        if (status == 0) {
            FUZZ_REQUIRE(module.deletes == 1 && module.deletedAfterChanges == module.changes.size(),
                         "status 0 without the module closed after its changes");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    scratch = fs::temp_directory_path() / fs::unique_path("velkor-fuzz-driver-%%%%-%%%%");
    fs::create_directories(scratch);
    std::atexit(RemoveScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Behaviour behaviour;
    const std::size_t control = size < 3 ? size : 3;
    for (std::size_t i = 0; i < control; ++i) {
        behaviour.bytes[i] = data[i];
    }
    const std::vector<std::string> words =
        fuzz::SplitAtNul(fuzz::Text(data + control, size - control));
    std::vector<const char*> argv = {"velkor-ipconfig-cmd"};
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }

    fuzz::RecordingDetector detector(behaviour);
    fuzz::RecordingModule module(behaviour);
    std::ostringstream out;
    std::ostringstream err;
    const fs::path logFile = scratch / "velkor-ipconfig-cmd.log";
    int status = -1;
    {
        // --verbose copies log lines to standard output: keep them off the fuzzer's.
        fuzz::NullStream silent;
        fuzz::StreamRedirect quiet(std::cout, silent.rdbuf());
        IpConfigDriver driver(out, err, detector, module, logFile.string());
        status = driver.Run(static_cast<int>(argv.size()), argv.data());
    }
    // The logger is process-wide; the next run must start without this run's sinks.
    mirl::tools::logger::manager().clear();

    FUZZ_REQUIRE(fs::exists(logFile), "the log file does not exist after the run");
    Check(status, argv, detector, module, out.str(), err.str());
    return 0;
}
