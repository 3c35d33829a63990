#pragma once

#include "app/action_parameter.h"
#include "app/action_type.h"
#include "app/detector_type.h"

#include <cstddef>
#include <ostream>
#include <vector>

// The request set of one invocation: which parameters are present, which
// actions they request and which of those the rules accepted.
class ActionRequest {
public:
    // Presence flags; a text parameter is present when its value is not empty.
    ActionRequest(bool currentDetectorIp, bool currentPeerIp, bool newDetectorIp, bool newPeerIp,
                  bool serialPort, bool newSsid, bool newPassword, bool wifiEnable);

    std::size_t RequestedCount() const { return requested_.size(); }
    bool IsParameterPresent(ActionParameter parameter) const;

    // Checks every requested action against the rules of the road, writing
    // "Info - " lines to standard output and "Error - " lines to standard error.
    // True when at least one action was accepted and none was rejected.
    bool Validate(DetectorType type, bool viaModule);
    bool Validate(DetectorType type, bool viaModule, std::ostream& out, std::ostream& err);

    bool IsAccepted(ActionType action) const;

private:
    bool currentDetectorIp_;
    bool currentPeerIp_;
    bool newDetectorIp_;
    bool newPeerIp_;
    // Part of the request as given; no rule speaks of it.
    [[maybe_unused]] bool serialPort_;
    bool newSsid_;
    bool newPassword_;
    bool wifiEnable_;
    std::vector<ActionType> requested_;
    std::vector<ActionType> accepted_;
};
