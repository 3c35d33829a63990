#include "app/request_checks.h"

#include "addressing/ip_address_checks.h"

#include <exception>

namespace request_checks {

bool ParseCommandLine(CommandLine& commandLine, int argc, const char* const argv[],
                      std::ostream& out, std::ostream& err) {
    try {
        commandLine.Parse(argc, argv);
        return true;
    } catch (const std::exception& e) {
        err << "Error - Bad invocation of command line : " << e.what() << std::endl;
    } catch (...) {
        err << "Error - Bad invocation of command line !" << std::endl;
    }
    out << commandLine.Options() << std::flush;
    return false;
}

boost::optional<CheckedRequest> CheckRequest(const CommandLine& commandLine, std::ostream& out,
                                             std::ostream& err) {
    const CommandLineValues& values = commandLine.Values();
    if (values.type.empty()) {
        err << "Error - Detector type must specified." << std::endl;
        out << commandLine.Options() << std::flush;
        return boost::none;
    }
    const DetectorType type = DetectorTypeFromName(values.type);
    if (type == InvalidDetectorType) {
        err << "Error - Invalid detector type : " << values.type << std::endl;
        return boost::none;
    }

    const bool viaModule = commandLine.IsGiven("module");
    CheckedRequest checked{
        type, viaModule,
        ActionRequest(!values.currentDetectorIp.empty(), !values.currentPeerIp.empty(),
                      !values.newDetectorIp.empty(), !values.newPeerIp.empty(),
                      !values.serialPort.empty(), !values.newSsid.empty(),
                      !values.newPassword.empty(), commandLine.IsGiven("wifi_enable"))};
    if (checked.request.RequestedCount() == 0) {
        err << "Error - no request specified" << std::endl;
        out << commandLine.Options() << std::flush;
        return boost::none;
    }
    if (!checked.request.Validate(type, viaModule, out, err)) {
        err << "Error - invalid " << (viaModule ? "module" : "detector")
            << " request (inconsistent parameters)" << std::endl;
        return boost::none;
    }
    return checked;
}

bool CheckConnection(DetectorType type, const CommandLineValues& values, std::ostream& err) {
    if (!CheckCurrentIpAddresses(type, values.currentDetectorIp, values.currentPeerIp, err)) {
        err << "Error - invalid detector connection settings" << std::endl;
        return false;
    }
    return true;
}

bool CheckNewAddresses(DetectorType type, const std::string& currentDetectorIp,
                       const std::string& currentPeerIp, const std::string& newDetectorIp,
                       const std::string& newPeerIp, std::ostream& out, std::ostream& err) {
    return CheckIpAddressChange(type, currentDetectorIp, currentPeerIp, newDetectorIp, newPeerIp,
                                err) &&
           CheckIpSubsetRules(type, currentDetectorIp, currentPeerIp, newDetectorIp, newPeerIp,
                              out);
}

} // namespace request_checks
