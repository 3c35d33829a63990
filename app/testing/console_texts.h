#pragma once

#include <string>

// The console texts the unit and end-to-end tests both expect, written out
// as the user sees them so that a change to any of them fails both.
namespace app_testing {

// As the option library prints it, trailing blanks included.
inline const std::string OptionTable =
    "Allowed options:\n"
    "  -h [ --help ]                    produce help message\n"
    "  -t [ --type ] arg                detector type (6080K,4050QL,6080QL,7180,7380\n"
    "                                   ,7380TW, 6080MV)\n"
    "  -c [ --current_detector_ip ] arg detector's current ip\n"
    "  -l [ --current_peer_ip ] arg     peer's local ip (mandatory for 6080QL and \n"
    "                                   4050QL, optional otherwise)\n"
    "  -d [ --new_detector_ip ] arg     new detector ip\n"
    "  -p [ --new_peer_ip ] arg         new peer local ip (optional for 6080K, \n"
    "                                   mandatory otherwise)\n"
    "  -i [ --new_ssid ] arg            new detector wifi ssid\n"
    "  -o [ --new_password ] arg        new detector wifi password\n"
    "  -w [ --wifi_enable ] arg         enable/disable detector wifi (true/false)\n"
    "  -m [ --module ]                  use module instead of ethernet link\n"
    "  -s [ --serial_port ] arg         host serial port used communicating with \n"
    "                                   detector via module.\n"
    "  -v [ --verbose ]                 enable verbose logging\n";

// What a request's checks write per action, and before each parameter at fault.
inline const std::string ValidIp = "Info - valid IP configuration action parameters\n";
inline const std::string ValidSsid = "Info - valid SSID configuration action parameters\n";
inline const std::string ValidWifi = "Info - valid Wifi activation action parameters\n";
inline const std::string BadIp = "Error - invalid IP configuration action parameters\n";
inline const std::string BadSsid = "Error - invalid SSID configuration action parameters\n";
inline const std::string Mandatory = "\t--> A mandatory parameter should be present : ";
inline const std::string Forbidden = "\t--> A forbidden parameter should not be present : ";

} // namespace app_testing
