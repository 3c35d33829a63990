#include "app/action_request.h"

#include "app/action_rule_table.h"

#include <algorithm>
#include <iostream>

namespace {

const ActionRuleTable& RulesOfRoad(bool viaModule) {
    static const ActionRuleTable detectorRules = [] {
        ActionRuleTable table;
        BuildDetectorActionRules(table);
        return table;
    }();
    static const ActionRuleTable moduleRules = [] {
        ActionRuleTable table;
        BuildModuleActionRules(table);
        return table;
    }();
    return viaModule ? moduleRules : detectorRules;
}

} // namespace

ActionRequest::ActionRequest(bool currentDetectorIp, bool currentPeerIp, bool newDetectorIp,
                             bool newPeerIp, bool serialPort, bool newSsid, bool newPassword,
                             bool wifiEnable)
    : currentDetectorIp_(currentDetectorIp), currentPeerIp_(currentPeerIp),
      newDetectorIp_(newDetectorIp), newPeerIp_(newPeerIp), serialPort_(serialPort),
      newSsid_(newSsid), newPassword_(newPassword), wifiEnable_(wifiEnable) {
    if (newDetectorIp_ || newPeerIp_) {
        requested_.push_back(ActionType::IpConfiguration);
    }
    if (newSsid_ || newPassword_) {
        requested_.push_back(ActionType::SsidConfiguration);
    }
    if (wifiEnable_) {
        requested_.push_back(ActionType::WifiActivation);
    }
}

bool ActionRequest::IsParameterPresent(ActionParameter parameter) const {
    switch (parameter) {
    case ActionParameter::CurrentDetectorIp:
        return currentDetectorIp_;
    case ActionParameter::CurrentPeerIp:
        return currentPeerIp_;
    case ActionParameter::NewDetectorIp:
        return newDetectorIp_;
    case ActionParameter::NewPeerIp:
        return newPeerIp_;
    case ActionParameter::NewSsid:
        return newSsid_;
    case ActionParameter::NewPassword:
        return newPassword_;
    case ActionParameter::WifiActivation:
        return wifiEnable_;
    }
    return false;
}

bool ActionRequest::Validate(DetectorType type, bool viaModule) {
    return Validate(type, viaModule, std::cout, std::cerr);
}

bool ActionRequest::Validate(DetectorType type, bool viaModule, std::ostream& out,
                             std::ostream& err) {
    const ActionRuleTable& table = RulesOfRoad(viaModule);
    const auto typeRules = table.find(type);

    for (const ActionType action : requested_) {
        const ActionRule* rule = nullptr;
        if (typeRules != table.end()) {
            const auto found = typeRules->second.find(action);
            if (found != typeRules->second.end()) {
                rule = &found->second;
            }
        }
        if (rule == nullptr) {
            err << "Error - invalid " << ActionName(action) << " action" << std::endl;
            return false;
        }

        std::vector<ActionParameter> missing;
        bool anyMandatoryPresent = false;
        for (const ActionParameter parameter : rule->first) {
            if (IsParameterPresent(parameter)) {
                anyMandatoryPresent = true;
            } else {
                missing.push_back(parameter);
            }
        }
        std::vector<ActionParameter> unwanted;
        for (const ActionParameter parameter : rule->second) {
            if (IsParameterPresent(parameter)) {
                unwanted.push_back(parameter);
            }
        }

        if (missing.empty() && unwanted.empty()) {
            out << "Info - valid " << ActionName(action) << " action parameters" << std::endl;
            accepted_.push_back(action);
        } else if (anyMandatoryPresent) {
            err << "Error - invalid " << ActionName(action) << " action parameters" << std::endl;
            for (const ActionParameter parameter : missing) {
                err << "\t--> A mandatory parameter should be present : "
                    << ActionParameterName(parameter) << std::endl;
            }
            for (const ActionParameter parameter : unwanted) {
                err << "\t--> A forbidden parameter should not be present : "
                    << ActionParameterName(parameter) << std::endl;
            }
            return false;
        }
        // Otherwise none of the action's own parameters was given: it is
        // dropped without a word and the next one is looked at.
    }
    return !accepted_.empty();
}

bool ActionRequest::IsAccepted(ActionType action) const {
    return std::find(accepted_.begin(), accepted_.end(), action) != accepted_.end();
}
