#include "app/action_request.h"
#include "app/action_rule_table.h"
#include "app/testing/console_texts.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Present parameters named by their short option letters: c current detector,
// l current peer, d new detector, p new peer, s serial port, i new ssid,
// o new password, w wifi_enable.
ActionRequest Request(const std::string& present) {
    auto has = [&present](char letter) { return present.find(letter) != std::string::npos; };
    return ActionRequest(has('c'), has('l'), has('d'), has('p'), has('s'), has('i'), has('o'),
                         has('w'));
}

const ActionType Ip = ActionType::IpConfiguration;
const ActionType Ssid = ActionType::SsidConfiguration;
const ActionType Wifi = ActionType::WifiActivation;

TEST(ActionNamesTest, Texts) {
    EXPECT_EQ(ActionName(Ip), "IP configuration");
    EXPECT_EQ(ActionName(Ssid), "SSID configuration");
    EXPECT_EQ(ActionName(Wifi), "Wifi activation");
    EXPECT_EQ(ActionName(static_cast<ActionType>(3)), "Unknown");
    EXPECT_EQ(ActionName(static_cast<ActionType>(-1)), "Unknown");

    EXPECT_EQ(static_cast<int>(ActionParameter::CurrentDetectorIp), 1);
    EXPECT_EQ(static_cast<int>(ActionParameter::WifiActivation), 7);
    EXPECT_EQ(ActionParameterName(ActionParameter::CurrentDetectorIp), "Current detector IP");
    EXPECT_EQ(ActionParameterName(ActionParameter::CurrentPeerIp), "Current peer IP");
    EXPECT_EQ(ActionParameterName(ActionParameter::NewDetectorIp), "New detector IP");
    EXPECT_EQ(ActionParameterName(ActionParameter::NewPeerIp), "New peer IP");
    EXPECT_EQ(ActionParameterName(ActionParameter::NewSsid), "New SSID");
    EXPECT_EQ(ActionParameterName(ActionParameter::NewPassword), "New password");
    EXPECT_EQ(ActionParameterName(ActionParameter::WifiActivation), "Wifi activation");
    EXPECT_EQ(ActionParameterName(static_cast<ActionParameter>(0)), "Unknown");
    EXPECT_EQ(ActionParameterName(static_cast<ActionParameter>(8)), "Unknown");
}

TEST(ActionRequestTest, RequestedActions) {
    struct Case {
        const char* present;
        std::size_t count;
    };
    const Case cases[] = {
        {"", 0},  {"c", 0}, {"cls", 0}, {"d", 1}, {"p", 1},  {"dp", 1},
        {"i", 1}, {"o", 1}, {"io", 1},  {"w", 1}, {"dw", 2}, {"cldpsiow", 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Request(c.present).RequestedCount(), c.count) << c.present;
    }
}

TEST(ActionRequestTest, ParameterPresence) {
    const ActionRequest all = Request("cldpiow");
    const ActionRequest serialOnly = Request("s");
    for (int value = 1; value <= 7; ++value) {
        const ActionParameter parameter = static_cast<ActionParameter>(value);
        EXPECT_TRUE(all.IsParameterPresent(parameter)) << value;
        EXPECT_FALSE(serialOnly.IsParameterPresent(parameter)) << value;
    }
    EXPECT_FALSE(all.IsParameterPresent(static_cast<ActionParameter>(0)));
    EXPECT_FALSE(all.IsParameterPresent(static_cast<ActionParameter>(8)));

    // Each flag reads its own parameter; the serial port flag sits between
    // the new peer and the new ssid and belongs to none.
    const struct {
        const char* present;
        ActionParameter parameter;
    } single[] = {
        {"c", ActionParameter::CurrentDetectorIp}, {"l", ActionParameter::CurrentPeerIp},
        {"d", ActionParameter::NewDetectorIp},     {"p", ActionParameter::NewPeerIp},
        {"i", ActionParameter::NewSsid},           {"o", ActionParameter::NewPassword},
        {"w", ActionParameter::WifiActivation},
    };
    for (const auto& c : single) {
        const ActionRequest request = Request(c.present);
        for (int value = 1; value <= 7; ++value) {
            const ActionParameter parameter = static_cast<ActionParameter>(value);
            EXPECT_EQ(request.IsParameterPresent(parameter), parameter == c.parameter)
                << c.present << " " << value;
        }
    }
}

struct ValidateCase {
    const char* name;
    DetectorType type;
    const char* present;
    bool valid;
    std::string out;
    std::string err;
    const char* accepted; // i: IP, s: SSID, w: Wifi, in that order
};

// The accepted actions as letters, in the order above.
std::string AcceptedLetters(const ActionRequest& request) {
    std::string accepted;
    for (const auto& action : {std::make_pair(ActionType::IpConfiguration, 'i'),
                               std::make_pair(ActionType::SsidConfiguration, 's'),
                               std::make_pair(ActionType::WifiActivation, 'w')}) {
        if (request.IsAccepted(action.first)) {
            accepted += action.second;
        }
    }
    return accepted;
}

void ExpectValidations(bool viaModule, const std::vector<ValidateCase>& cases) {
    for (const ValidateCase& c : cases) {
        ActionRequest request = Request(c.present);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(request.Validate(c.type, viaModule, out, err), c.valid) << c.name;
        EXPECT_EQ(out.str(), c.out) << c.name;
        EXPECT_EQ(err.str(), c.err) << c.name;
        EXPECT_EQ(AcceptedLetters(request), c.accepted) << c.name;
    }
}

using app_testing::BadIp;
using app_testing::BadSsid;
using app_testing::Forbidden;
using app_testing::Mandatory;
using app_testing::ValidIp;
using app_testing::ValidSsid;
using app_testing::ValidWifi;

TEST(ActionRequestTest, NetworkRoad) {
    const std::vector<ValidateCase> cases = {
        {"6080K forbidden current peer", Vk6080K, "cld", false, "",
         BadIp + Forbidden + "Current peer IP\n", ""},
        {"6080K both peers forbidden, in rule order", Vk6080K, "cldp", false, "",
         BadIp + Forbidden + "Current peer IP\n" + Forbidden + "New peer IP\n", ""},
        {"6080K valid", Vk6080K, "cd", true, ValidIp, "", "i"},
        {"6080K serial port allowed", Vk6080K, "cds", true, ValidIp, "", "i"},
        {"6080K only new peer: dropped silently", Vk6080K, "p", false, "", "", ""},
        {"6080K ssid has no rule", Vk6080K, "cdi", false, ValidIp,
         "Error - invalid SSID configuration action\n", "i"},
        {"6080K wifi has no rule", Vk6080K, "w", false, "",
         "Error - invalid Wifi activation action\n", ""},
        {"nQ2 only new detector", VknQ2, "d", false, "",
         BadIp + Mandatory + "Current detector IP\n" + Mandatory + "Current peer IP\n" + Mandatory +
             "New peer IP\n",
         ""},
        {"nQ2 everything", VknQ2, "cldpiow", true, ValidIp + ValidSsid + ValidWifi, "", "isw"},
        {"nQ2 ssid without ssid", VknQ2, "clo", false, "", BadSsid + Mandatory + "New SSID\n", ""},
        {"nQ2 ssid without password after a valid ip", VknQ2, "cldpi", false, ValidIp,
         BadSsid + Mandatory + "New password\n", "i"},
        {"nQ2 ip dropped, wifi kept", VknQ2, "clw", true, ValidWifi, "", "w"},
        {"7x80 without new peer passes the rules", Vk7x80, "cd", true, ValidIp, "", "i"},
        {"7x80 new peer allowed", Vk7x80, "cdp", true, ValidIp, "", "i"},
        {"7x80 current peer forbidden and detector missing", Vk7x80, "lp", false, "", "", ""},
        {"7x80 current peer forbidden", Vk7x80, "cldp", false, "",
         BadIp + Forbidden + "Current peer IP\n", ""},
        {"7x80 missing then forbidden", Vk7x80, "ld", false, "",
         BadIp + Mandatory + "Current detector IP\n" + Forbidden + "Current peer IP\n", ""},
        {"7380TW full ip", Vk7380TW, "cldp", true, ValidIp, "", "i"},
        {"7380TW ssid has no rule", Vk7380TW, "io", false, "",
         "Error - invalid SSID configuration action\n", ""},
        {"6080MV ssid and wifi", Vk6080MV, "iow", true, ValidSsid + ValidWifi, "", "sw"},
        {"invalid type", InvalidDetectorType, "cd", false, "",
         "Error - invalid IP configuration action\n", ""},
    };
    ExpectValidations(false, cases);
}

TEST(ActionRequestTest, ModuleRoad) {
    const std::vector<ValidateCase> cases = {
        {"nQ2 ip", VknQ2, "dp", true, ValidIp, "", "i"},
        {"nQ2 ip and ssid with port", VknQ2, "dpsio", true, ValidIp + ValidSsid, "", "is"},
        {"nQ2 current detector forbidden", VknQ2, "cdp", false, "",
         BadIp + Forbidden + "Current detector IP\n", ""},
        {"nQ2 both current forbidden", VknQ2, "cldp", false, "",
         BadIp + Forbidden + "Current detector IP\n" + Forbidden + "Current peer IP\n", ""},
        {"nQ2 wifi has no rule", VknQ2, "dpw", false, ValidIp,
         "Error - invalid Wifi activation action\n", "i"},
        {"6080QL wifi alone", VknQ2, "w", false, "", "Error - invalid Wifi activation action\n",
         ""},
        {"6080MV new peer missing", Vk6080MV, "d", false, "", BadIp + Mandatory + "New peer IP\n",
         ""},
        {"6080MV current detector with new peer", Vk6080MV, "cp", false, "",
         BadIp + Mandatory + "New detector IP\n" + Forbidden + "Current detector IP\n", ""},
        {"6080MV ssid", Vk6080MV, "io", true, ValidSsid, "", "s"},
        {"7380TW any request", Vk7380TW, "io", false, "",
         "Error - invalid SSID configuration action\n", ""},
        {"7380TW ip first", Vk7380TW, "dpio", false, "",
         "Error - invalid IP configuration action\n", ""},
        {"6080K", Vk6080K, "d", false, "", "Error - invalid IP configuration action\n", ""},
        {"7x80", Vk7x80, "dp", false, "", "Error - invalid IP configuration action\n", ""},
    };
    ExpectValidations(true, cases);
}

TEST(ActionRuleTableTest, BuildersReplaceTheTable) {
    ActionRuleTable table;
    table[Vk6080K][Wifi] = ActionRule();
    BuildModuleActionRules(table);
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(table.count(Vk6080K), 0u);
    EXPECT_EQ(table.at(VknQ2).size(), 2u);
    EXPECT_EQ(table.at(VknQ2).count(Wifi), 0u);

    BuildDetectorActionRules(table);
    EXPECT_EQ(table.size(), 5u);
    EXPECT_EQ(table.at(Vk6080K).size(), 1u);
    EXPECT_EQ(table.at(Vk6080K).count(Wifi), 0u);
    EXPECT_EQ(table.at(VknQ2).size(), 3u);
    EXPECT_EQ(table.at(Vk6080MV).size(), 3u);
    EXPECT_EQ(table.at(Vk7x80).size(), 1u);
    EXPECT_EQ(table.at(Vk7380TW).size(), 1u);
    const std::vector<ActionParameter> sevenForbidden = {ActionParameter::CurrentPeerIp};
    EXPECT_EQ(table.at(Vk7x80).at(Ip).second, sevenForbidden);
}

} // namespace
