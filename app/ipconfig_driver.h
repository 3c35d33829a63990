#pragma once

#include "app/action_request.h"
#include "app/command_line.h"
#include "app/detector_access_iface.h"
#include "app/detector_type.h"
#include "app/module_access_iface.h"

#include <ostream>
#include <string>

// "velkor-ipconfig-cmd.log": relative, so the log lies in the working folder.
extern const std::string LogFileName;

// One run of the program: logging, command line, request rules, then the
// network or the module road. Progress goes to `out`, errors to `err`, one
// flushed line at a time.
class IpConfigDriver {
public:
    IpConfigDriver(std::ostream& out, std::ostream& err, DetectorAccessIface& detector,
                   ModuleAccessIface& module, const std::string& logFile = LogFileName);

    // The process exit status: 0 when the chosen road ran to its end, else 1.
    int Run(int argc, const char* const argv[]);

private:
    bool RecreateLogFile();
    int RunNetworkRoad(DetectorType type, const CommandLineValues& values,
                       const ActionRequest& request);
    int RunModuleRoad(DetectorType type, const CommandLineValues& values,
                      const ActionRequest& request);
    // Prints the "Info - " line that tells whether a request changed the
    // detector: `succeeded` when `changed`, else `unchanged`; gives `changed` back.
    bool ReportOutcome(bool changed, const char* succeeded, const char* unchanged);

    std::ostream& out_;
    std::ostream& err_;
    DetectorAccessIface& detector_;
    ModuleAccessIface& module_;
    std::string logFile_;
};
