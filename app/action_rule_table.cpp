#include "app/action_rule_table.h"

#include <boost/assign/list_of.hpp>

using boost::assign::list_of;
using boost::assign::map_list_of;

namespace {

using Parameters = std::vector<ActionParameter>;
using TypeRules = std::map<ActionType, ActionRule>;

const ActionParameter CurrentDetectorIp = ActionParameter::CurrentDetectorIp;
const ActionParameter CurrentPeerIp = ActionParameter::CurrentPeerIp;
const ActionParameter NewDetectorIp = ActionParameter::NewDetectorIp;
const ActionParameter NewPeerIp = ActionParameter::NewPeerIp;
const ActionParameter NewSsid = ActionParameter::NewSsid;
const ActionParameter NewPassword = ActionParameter::NewPassword;

const Parameters None;

ActionRule Rule(const Parameters& mandatory, const Parameters& forbidden) {
    return ActionRule(mandatory, forbidden);
}

} // namespace

void BuildDetectorActionRules(ActionRuleTable& table) {
    table.clear();
    const ActionRule fullIp =
        Rule(list_of(CurrentDetectorIp)(NewDetectorIp)(CurrentPeerIp)(NewPeerIp), None);
    const ActionRule ssid = Rule(list_of(NewSsid)(NewPassword), None);
    const ActionRule wifi = Rule(list_of(ActionParameter::WifiActivation), None);

    table[Vk6080K] =
        map_list_of(ActionType::IpConfiguration, Rule(list_of(CurrentDetectorIp)(NewDetectorIp),
                                                      list_of(CurrentPeerIp)(NewPeerIp)))
            .convert_to_container<TypeRules>();
    table[Vk7x80] = map_list_of(ActionType::IpConfiguration,
                                Rule(list_of(CurrentDetectorIp)(NewDetectorIp),
                                     list_of(CurrentPeerIp).convert_to_container<Parameters>()))
                        .convert_to_container<TypeRules>();
    table[VknQ2] = map_list_of(ActionType::IpConfiguration, fullIp)(
                       ActionType::SsidConfiguration, ssid)(ActionType::WifiActivation, wifi)
                       .convert_to_container<TypeRules>();
    table[Vk6080MV] = map_list_of(ActionType::IpConfiguration, fullIp)(
                          ActionType::SsidConfiguration, ssid)(ActionType::WifiActivation, wifi)
                          .convert_to_container<TypeRules>();
    table[Vk7380TW] =
        map_list_of(ActionType::IpConfiguration, fullIp).convert_to_container<TypeRules>();
}

void BuildModuleActionRules(ActionRuleTable& table) {
    table.clear();
    const ActionRule ip =
        Rule(list_of(NewDetectorIp)(NewPeerIp), list_of(CurrentDetectorIp)(CurrentPeerIp));
    const ActionRule ssid = Rule(list_of(NewSsid)(NewPassword), None);

    table[VknQ2] = map_list_of(ActionType::IpConfiguration, ip)(ActionType::SsidConfiguration, ssid)
                       .convert_to_container<TypeRules>();
    table[Vk6080MV] =
        map_list_of(ActionType::IpConfiguration, ip)(ActionType::SsidConfiguration, ssid)
            .convert_to_container<TypeRules>();
}
