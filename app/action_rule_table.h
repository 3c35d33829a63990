#pragma once

#include "app/action_parameter.h"
#include "app/action_type.h"
#include "app/detector_type.h"

#include <map>
#include <utility>
#include <vector>

// First the mandatory parameters, then the forbidden ones; each list in reporting order.
using ActionRule = std::pair<std::vector<ActionParameter>, std::vector<ActionParameter>>;

// Per road: detector type -> action -> rule. A type or an action without an
// entry has no rule on that road.
using ActionRuleTable = std::map<DetectorType, std::map<ActionType, ActionRule>>;

// Both clear the table first. Network road.
void BuildDetectorActionRules(ActionRuleTable& table);
// Infrared module road: the current addresses are read from the detector, so
// the command line must not give them.
void BuildModuleActionRules(ActionRuleTable& table);
