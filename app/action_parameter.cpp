#include "app/action_parameter.h"

std::string ActionParameterName(ActionParameter parameter) {
    switch (parameter) {
    case ActionParameter::CurrentDetectorIp:
        return "Current detector IP";
    case ActionParameter::CurrentPeerIp:
        return "Current peer IP";
    case ActionParameter::NewDetectorIp:
        return "New detector IP";
    case ActionParameter::NewPeerIp:
        return "New peer IP";
    case ActionParameter::NewSsid:
        return "New SSID";
    case ActionParameter::NewPassword:
        return "New password";
    case ActionParameter::WifiActivation:
        return "Wifi activation";
    }
    return "Unknown";
}
