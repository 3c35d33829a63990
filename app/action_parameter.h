#pragma once

#include <string>

// The request parameters the rules speak of; the serial port is not one of them.
enum class ActionParameter {
    CurrentDetectorIp = 1,
    CurrentPeerIp = 2,
    NewDetectorIp = 3,
    NewPeerIp = 4,
    NewSsid = 5,
    NewPassword = 6,
    WifiActivation = 7,
};

// Text used in the console detail lines; "Unknown" for a value outside the enumeration.
std::string ActionParameterName(ActionParameter parameter);
