#include "app/ipconfig_driver.h"

#include "app/detector_type.h"
#include "app/module_opening.h"
#include "app/request_checks.h"
#include "platform/tools/logger.h"

#include <boost/filesystem/operations.hpp>
#include <boost/system/error_code.hpp>

#include <exception>
#include <system_error>

namespace fs = boost::filesystem;
using mirl::tools::logger;

const std::string LogFileName = "velkor-ipconfig-cmd.log";

namespace {

const char* const ModuleCreationError =
    "Error - Can not retrieve current peer and detector IP due to module creation error.";
const char* const SsidUnchanged = "The ssid/pwd configuration has not been changed";
const char* const IpUnchanged = "The ip address configuration has not been changed";

} // namespace

IpConfigDriver::IpConfigDriver(std::ostream& out, std::ostream& err, DetectorAccessIface& detector,
                               ModuleAccessIface& module, const std::string& logFile)
    : out_(out), err_(err), detector_(detector), module_(module), logFile_(logFile) {}

bool IpConfigDriver::RecreateLogFile() {
    // No sink may keep writing into the file that is about to be replaced.
    logger::manager().removesink("file");

    const fs::path path(logFile_);
    boost::system::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (status.type() == fs::status_error) {
        err_ << "Error - Can not check the previous log file " << logFile_ << " : "
             << error.message() << std::endl;
        return false;
    }
    if (status.type() == fs::directory_file) {
        // Removing an empty folder would succeed, but it is not ours to remove.
        err_ << "Error - Can not remove the previous log file " << logFile_ << " : "
             << boost::system::errc::make_error_code(boost::system::errc::is_a_directory).message()
             << std::endl;
        return false;
    }
    if (status.type() != fs::file_not_found) {
        fs::remove(path, error);
        if (error) {
            err_ << "Error - Can not remove the previous log file " << logFile_ << " : "
                 << error.message() << std::endl;
            return false;
        }
    }
    // Created here, once, for this run alone (never through a link, never an
    // existing file), so that every line of the run reaches it. A run that
    // cannot keep its log changes nothing.
    try {
        logger::manager().addsink("file", mirl::tools::filelogsink(logFile_, true));
    } catch (const std::system_error& error) {
        err_ << "Error - Can not create the log file " << logFile_ << " : "
             << error.code().message() << std::endl;
        return false;
    }
    return true;
}

int IpConfigDriver::Run(int argc, const char* const argv[]) {
    logger::manager().addprefix("time", mirl::tools::timeprefix);
    if (!RecreateLogFile()) {
        return 1;
    }

    CommandLine commandLine;
    if (!request_checks::ParseCommandLine(commandLine, argc, argv, out_, err_)) {
        return 1;
    }
    if (commandLine.IsGiven("help")) {
        out_ << commandLine.Options() << std::endl;
        return 1;
    }
    if (commandLine.IsGiven("verbose")) {
        logger::manager().addsink("cout", mirl::tools::coutlogsink());
    }

    boost::optional<request_checks::CheckedRequest> checked =
        request_checks::CheckRequest(commandLine, out_, err_);
    if (!checked) {
        return 1;
    }
    const CommandLineValues& values = commandLine.Values();
    return checked->viaModule ? RunModuleRoad(checked->type, values, checked->request)
                              : RunNetworkRoad(checked->type, values, checked->request);
}

int IpConfigDriver::RunNetworkRoad(DetectorType type, const CommandLineValues& values,
                                   const ActionRequest& request) {
    try {
        if (!request_checks::CheckConnection(type, values, err_)) {
            return 1;
        }
        detector_.CreateDetector(type, values.currentDetectorIp,
                                 detector_type::PeerAddress(type, values.currentPeerIp));

        const bool ip = request.IsAccepted(ActionType::IpConfiguration);
        const bool ssid = request.IsAccepted(ActionType::SsidConfiguration);
        const bool wifi = request.IsAccepted(ActionType::WifiActivation);
        if (!detector_.IsConnectedByCable()) {
            if (ip && ssid) {
                err_ << "Error - cannot operate dual ip and ssid configuration over wifi "
                        "connexion, please plug detector LBX if needed"
                     << std::endl;
                return 1;
            }
            if (wifi && (ip || ssid)) {
                err_ << "Error - cannot operate ip or ssid configuration in addition to wifi "
                        "control over wifi connexion, please plug detector LBX if needed"
                     << std::endl;
                return 1;
            }
        }
        // The new addresses are checked before anything is written, so that an
        // invalid one leaves the Wi-Fi and SSID settings untouched as well.
        if (ip && !request_checks::CheckNewAddresses(type, values.currentDetectorIp,
                                                     values.currentPeerIp, values.newDetectorIp,
                                                     values.newPeerIp, out_, err_)) {
            return 1;
        }

        if (wifi) {
            out_ << "Info - " << (values.wifiEnable ? "Activation " : "De-Activation ")
                 << " of Wifi in progress ..." << std::endl;
            ReportOutcome(detector_.SetWifiEnable(values.wifiEnable),
                          "The wifi configuration process SUCCEEDED",
                          "The wifi configuration has not been changed");
        }
        if (ssid) {
            out_ << "Info - Setting of SSID in progress ..." << std::endl;
            if (ReportOutcome(detector_.SetWifiPasswd(values.newSsid, values.newPassword),
                              "The ssid/pwd configuration process SUCCEEDED", SsidUnchanged)) {
                out_ << "Info - Please update your wifi access point settings" << std::endl;
            }
        }
        if (ip) {
            const bool changed = ReportOutcome(
                detector_.SetHostAndDetectorIPAddress(values.newPeerIp, values.newDetectorIp),
                "The ip address configuration process SUCCEEDED", IpUnchanged);
            if (changed) {
                out_ << (detector_type::HasCidrPeer(type)
                             ? "Info - Please update the IP address of the host in the network "
                               "configuration settings (if needed)"
                             : "Info - Please reboot your detector and update the IP address of "
                               "the host in the network configuration settings")
                     << std::endl;
            }
        }

        detector_.DeleteDetector();
        return 0;
    } catch (const std::exception& e) {
        err_ << "Error - The ip address configuration process FAILED (" << e.what() << ")."
             << std::endl;
    } catch (...) {
        err_ << "Error - The ip address configuration process FAILED" << std::endl;
    }
    return 1;
}

bool IpConfigDriver::ReportOutcome(bool changed, const char* succeeded, const char* unchanged) {
    out_ << "Info - " << (changed ? succeeded : unchanged) << std::endl;
    return changed;
}

int IpConfigDriver::RunModuleRoad(DetectorType type, const CommandLineValues& values,
                                  const ActionRequest& request) {
    try {
        // Without a module nothing can be read or written: stop here rather
        // than report a request as carried out.
        const boost::optional<std::string> port = OpenModule(module_, values.serialPort);
        if (!port) {
            err_ << ModuleCreationError << std::endl;
            return 1;
        }
        if (values.serialPort.empty()) {
            out_ << "Info - Using serial port <" << *port << "> to configure IPs." << std::endl;
        }

        if (request.IsAccepted(ActionType::IpConfiguration)) {
            const std::string currentDetectorIp = module_.GetDetectorIPAddress();
            const std::string currentPeerIp = module_.GetHostIPAddress();
            if (!request_checks::CheckNewAddresses(type, currentDetectorIp, currentPeerIp,
                                                   values.newDetectorIp, values.newPeerIp, out_,
                                                   err_)) {
                return 1;
            }
            out_ << "Info - Setting of IP in progress ..." << std::endl;
            ReportOutcome(
                module_.SetHostAndDetectorIPAddress(values.newPeerIp, values.newDetectorIp),
                "The ip address configuration process by serial port SUCCEEDED", IpUnchanged);
        }
        if (request.IsAccepted(ActionType::SsidConfiguration)) {
            out_ << "Info - Setting of SSID in progress ..." << std::endl;
            ReportOutcome(module_.SetWifiPasswd(values.newSsid, values.newPassword),
                          "The ssid/pwd configuration process by serial port SUCCEEDED",
                          SsidUnchanged);
        }

        module_.DeleteModule();
        return 0;
    } catch (...) {
        err_ << "Error - The ip address configuration process by serial port FAILED." << std::endl;
    }
    return 1;
}
