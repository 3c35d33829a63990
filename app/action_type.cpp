#include "app/action_type.h"

std::string ActionName(ActionType action) {
    switch (action) {
    case ActionType::IpConfiguration:
        return "IP configuration";
    case ActionType::SsidConfiguration:
        return "SSID configuration";
    case ActionType::WifiActivation:
        return "Wifi activation";
    }
    return "Unknown";
}
