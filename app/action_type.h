#pragma once

#include <string>

// The three requests one invocation can carry.
enum class ActionType {
    IpConfiguration = 0,
    SsidConfiguration = 1,
    WifiActivation = 2,
};

// Text used in the console lines; "Unknown" for a value outside the enumeration.
std::string ActionName(ActionType action);
