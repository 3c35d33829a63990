#include "addressing/ip_address_checks.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string AnyPrefixes = "{ 192.168. ;  10.0. }";
const std::string Vk6080KTable = "{ 10.0.0.2 ;  10.0.0.66 ;  192.168.0.2 ;  192.168.0.66 }";
const std::string Vk7x80DetectorTable =
    "{ 192.168.37.130 ;  192.168.37.132 ;  10.0.37.130 ;  10.0.37.132 }";
const std::string Vk7x80PeerTable =
    "{ 192.168.37.131 ;  192.168.37.133 ;  10.0.37.131 ;  10.0.37.133 }";

// One call of a check: the five values, the result and the single line it
// writes (empty when it passes).
struct Case {
    const char* name;
    DetectorType type;
    std::string currentDetector;
    std::string currentPeer;
    std::string newDetector;
    std::string newPeer;
    bool accepted;
    std::string line;
};

std::string Written(const std::string& line) {
    return line.empty() ? "" : line + "\n";
}

// The line of an address outside the allowed prefixes, e.g. ("new peer", "VknQ2").
std::string PrefixRefused(const std::string& which, const std::string& type) {
    return "Error - " + which + " ip is not in the allowed " + type +
           " prefix subset : " + AnyPrefixes;
}

// The three checks, run on a case's values.
bool CurrentAddresses(const Case& c, std::ostream& err) {
    return CheckCurrentIpAddresses(c.type, c.currentDetector, c.currentPeer, err);
}
bool AddressChange(const Case& c, std::ostream& err) {
    return CheckIpAddressChange(c.type, c.currentDetector, c.currentPeer, c.newDetector, c.newPeer,
                                err);
}
bool SubsetRules(const Case& c, std::ostream& out) {
    return CheckIpSubsetRules(c.type, c.currentDetector, c.currentPeer, c.newDetector, c.newPeer,
                              out);
}

// Each case's result, and the line the check writes on its stream.
void ExpectCases(const std::vector<Case>& cases, bool (*check)(const Case&, std::ostream&)) {
    for (const Case& c : cases) {
        std::ostringstream stream;
        EXPECT_EQ(check(c, stream), c.accepted) << c.name;
        EXPECT_EQ(stream.str(), Written(c.line)) << c.name;
    }
}

TEST(CheckCurrentIpAddressesTest, Cases) {
    const std::vector<Case> cases = {
        {"6080K plain", Vk6080K, "10.0.0.2", "", "", "", true, ""},
        {"6080K ignores peer", Vk6080K, "10.0.0.2", "garbage", "", "", true, ""},
        {"7x80 ignores peer", Vk7x80, "192.168.37.130", "1.2.3", "", "", true, ""},
        {"bad detector", Vk7x80, "192.168.37.300", "", "", "", false,
         "Error - Invalid current detector ip : 192.168.37.300"},
        {"empty detector", VknQ2, "", "192.168.1.1/24", "", "", false,
         "Error - Invalid current detector ip : "},
        {"nQ2 valid", VknQ2, "192.168.1.10", "192.168.1.1/24", "", "", true, ""},
        {"7380TW peer without suffix", Vk7380TW, "192.168.1.11", "192.168.1.10", "", "", false,
         "Error - Invalid current peer cidr address : 192.168.1.10"},
        {"6080MV subnet", Vk6080MV, "10.0.1.5", "10.1.0.1/16", "", "", false,
         "Error - Invalid input subnet configuration : 10.0.1.5 doesn't match 10.1.0.1/16"},
        {"6080MV valid", Vk6080MV, "10.0.1.5", "10.0.0.1/16", "", "", true, ""},
    };
    ExpectCases(cases, CurrentAddresses);
}

TEST(CheckIpAddressChangeTest, Cases) {
    const std::vector<Case> cases = {
        {"6080K without new peer", Vk6080K, "192.168.0.2", "", "10.0.0.66", "", true, ""},
        {"6080K ignores peers", Vk6080K, "192.168.0.2", "x", "10.0.0.66", "y", true, ""},
        {"6080K same texts", Vk6080K, "192.168.0.2", "", "10.0.0.66", "10.0.0.66", false,
         "Error - new detector and peer ip addresses cannot be the same"},
        {"bad current detector", Vk6080K, "01.2.3.4", "", "10.0.0.66", "", false,
         "Error - Invalid current detector ip : 01.2.3.4"},
        {"bad new detector", Vk7x80, "192.168.37.130", "", "10.0.37", "10.0.37.133", false,
         "Error - Invalid new detector ip : 10.0.37"},
        {"7x80 valid", Vk7x80, "192.168.37.130", "", "10.0.37.132", "10.0.37.133", true, ""},
        {"7x80 ignores current peer", Vk7x80, "192.168.37.130", "nonsense", "10.0.37.132",
         "10.0.37.133", true, ""},
        {"7x80 bad new peer", Vk7x80, "192.168.37.130", "", "10.0.37.132", "10.0.37.133/24", false,
         "Error - Invalid new peer ip : 10.0.37.133/24"},
        {"7x80 no new peer", Vk7x80, "192.168.37.130", "", "10.0.37.132", "", false,
         "Error - Invalid new peer ip : "},
        {"7x80 same", Vk7x80, "192.168.37.132", "", "192.168.37.130", "192.168.37.130", false,
         "Error - new detector and peer ip addresses cannot be the same"},
        {"nQ2 bad current peer", VknQ2, "192.168.1.10", "192.168.1.1", "192.168.2.10",
         "192.168.2.1/24", false, "Error - Invalid current peer cidr address : 192.168.1.1"},
        {"nQ2 bad new peer", VknQ2, "192.168.1.10", "192.168.1.1/24", "192.168.2.10",
         "192.168.2.1/33", false, "Error - Invalid new peer cidr address : 192.168.2.1/33"},
        {"7380TW output subnet", Vk7380TW, "192.168.1.10", "192.168.1.1/24", "192.168.2.10",
         "192.168.3.1/24", false,
         "Error - Invalid output subnet configuration : 192.168.2.10 doesn't match "
         "192.168.3.1/24"},
        {"6080MV input subnet", Vk6080MV, "192.168.1.10", "192.168.9.1/24", "192.168.2.10",
         "192.168.2.1/24", false,
         "Error - Invalid input subnet configuration : 192.168.1.10 doesn't match "
         "192.168.9.1/24"},
        {"both subnets wrong: output reported", VknQ2, "192.168.1.10", "192.168.9.1/24",
         "192.168.2.10", "192.168.3.1/24", false,
         "Error - Invalid output subnet configuration : 192.168.2.10 doesn't match "
         "192.168.3.1/24"},
        {"nQ2 valid", VknQ2, "192.168.1.10", "192.168.1.1/24", "10.0.2.10", "10.0.2.1/16", true,
         ""},
        {"nQ2 foreign prefix passes syntax", VknQ2, "192.168.1.10", "192.168.1.1/24", "172.16.0.5",
         "172.16.0.1/16", true, ""},
    };
    ExpectCases(cases, AddressChange);
}

// New addresses no host could reach: the ends of the new subnet, and the
// detector given its host's own address.
TEST(CheckIpAddressChangeTest, UnreachableNewAddresses) {
    const std::string sameAddress = "Error - new detector and peer ip addresses cannot be the same";
    const std::vector<Case> cases = {
        {"detector is the network address", VknQ2, "192.168.1.20", "192.168.1.1/24", "192.168.1.0",
         "192.168.1.1/24", false,
         "Error - Invalid new detector ip : 192.168.1.0 is the network address of 192.168.1.1/24"},
        {"detector is the broadcast address", Vk7380TW, "10.0.0.20", "10.0.0.1/16", "10.0.255.255",
         "10.0.0.1/16", false,
         "Error - Invalid new detector ip : 10.0.255.255 is the broadcast address of 10.0.0.1/16"},
        {"peer is the network address", Vk6080MV, "192.168.3.20", "192.168.3.1/24", "192.168.3.40",
         "192.168.3.0/24", false,
         "Error - Invalid new peer cidr address : 192.168.3.0/24 is the network address of its "
         "subnet"},
        {"peer is the broadcast address", VknQ2, "192.168.1.20", "192.168.1.1/24", "192.168.1.30",
         "192.168.1.255/24", false,
         "Error - Invalid new peer cidr address : 192.168.1.255/24 is the broadcast address of its "
         "subnet"},
        {"both ends: the detector is named", VknQ2, "192.168.1.20", "192.168.1.1/24", "192.168.1.0",
         "192.168.1.255/24", false,
         "Error - Invalid new detector ip : 192.168.1.0 is the network address of "
         "192.168.1.255/24"},
        {"/30 ends", Vk6080MV, "192.168.3.20", "192.168.3.1/24", "192.168.3.43", "192.168.3.41/30",
         false,
         "Error - Invalid new detector ip : 192.168.3.43 is the broadcast address of "
         "192.168.3.41/30"},
        {"/30 inside", Vk6080MV, "192.168.3.20", "192.168.3.1/24", "192.168.3.42",
         "192.168.3.41/30", true, ""},
        {"/31 has no ends", VknQ2, "192.168.1.20", "192.168.1.1/24", "192.168.1.0",
         "192.168.1.1/31", true, ""},
        {"/32 of the detector's own address", Vk7380TW, "10.0.0.20", "10.0.0.1/16", "10.0.0.30",
         "10.0.0.30/32", false, sameAddress},
        {"detector given the host's address", VknQ2, "192.168.1.20", "192.168.1.1/24",
         "192.168.1.1", "192.168.1.1/24", false, sameAddress},
        {"same address, 6080MV", Vk6080MV, "192.168.3.20", "192.168.3.1/24", "192.168.3.4",
         "192.168.3.4/24", false, sameAddress},
        {"input subnet is reported before the ends", VknQ2, "192.168.1.20", "192.168.9.1/24",
         "192.168.1.0", "192.168.1.1/24", false,
         "Error - Invalid input subnet configuration : 192.168.1.20 doesn't match "
         "192.168.9.1/24"},
        {"current addresses are how it is reached now", VknQ2, "192.168.1.255", "192.168.1.0/24",
         "192.168.1.30", "192.168.1.1/24", true, ""},
        {"7x80 keeps the whole-text comparison", Vk7x80, "192.168.37.130", "", "192.168.37.130",
         "192.168.37.130/24", false, "Error - Invalid new peer ip : 192.168.37.130/24"},
        {"6080K keeps the whole-text comparison", Vk6080K, "192.168.0.2", "", "10.0.0.66",
         "10.0.0.66/24", true, ""},
    };
    ExpectCases(cases, AddressChange);
}

TEST(CheckIpSubsetRulesTest, AddressSubsets) {
    const std::vector<Case> cases = {
        {"6080K move", Vk6080K, "192.168.0.2", "", "10.0.0.66", "", true, ""},
        {"6080K ignores peers", Vk6080K, "10.0.0.2", "junk", "192.168.0.66", "junk", true, ""},
        {"6080K current", Vk6080K, "192.168.0.3", "", "10.0.0.66", "", false,
         "Error - current detector ip is not in the allowed Vk6080K subset: " + Vk6080KTable},
        {"6080K new", Vk6080K, "192.168.0.2", "", "10.0.0.3", "", false,
         "Error - new detector ip is not in the allowed Vk6080K subset: " + Vk6080KTable},
        {"7x80 pair", Vk7x80, "192.168.37.130", "", "10.0.37.132", "10.0.37.133", true, ""},
        {"7x80 empty current peer", Vk7x80, "192.168.37.130", "", "192.168.37.132",
         "192.168.37.133", true, ""},
        {"7x80 current", Vk7x80, "192.168.37.131", "", "10.0.37.132", "10.0.37.133", false,
         "Error - current detector ip is not in the allowed Vk7x80 subset: " + Vk7x80DetectorTable},
        {"7x80 new", Vk7x80, "192.168.37.130", "", "10.0.37.133", "10.0.37.132", false,
         "Error - new detector ip is not in the allowed Vk7x80 subset: " + Vk7x80DetectorTable},
        {"7x80 new peer is a detector address", Vk7x80, "192.168.37.130", "", "192.168.37.132",
         "192.168.37.130", false,
         "Error - new peer ip is not in the allowed Vk7x80 subset: " + Vk7x80PeerTable},
        {"7x80 mismatched pair", Vk7x80, "192.168.37.130", "", "10.0.37.132", "10.0.37.131", false,
         "Error - incompatible new detector and new detector peer ip : 10.0.37.132 / "
         "10.0.37.131"},
        {"unknown type", InvalidDetectorType, "", "", "", "", true, ""},
        {"value outside the enumeration", static_cast<DetectorType>(5), "", "", "", "", true, ""},
    };
    ExpectCases(cases, SubsetRules);
}

TEST(CheckIpSubsetRulesTest, PrefixSubsets) {
    const std::vector<Case> cases = {
        {"nQ2 valid", VknQ2, "192.168.1.10", "192.168.1.1/24", "10.0.2.10", "10.0.2.1/16", true,
         ""},
        {"nQ2 current detector", VknQ2, "172.16.0.10", "192.168.1.1/24", "10.0.2.10", "10.0.2.1/16",
         false, PrefixRefused("current detector", "VknQ2")},
        {"nQ2 current peer", VknQ2, "192.168.1.10", "172.16.0.1/16", "10.0.2.10", "10.0.2.1/16",
         false, PrefixRefused("current peer", "VknQ2")},
        {"nQ2 new detector", VknQ2, "192.168.1.10", "192.168.1.1/24", "172.16.0.5", "172.16.0.1/16",
         false, PrefixRefused("new detector", "VknQ2")},
        {"nQ2 new peer", VknQ2, "192.168.1.10", "192.168.1.1/24", "10.0.2.10", "10.1.2.1/8", false,
         PrefixRefused("new peer", "VknQ2")},
        {"7380TW current detector", Vk7380TW, "10.1.0.10", "10.0.0.1/8", "10.0.2.10", "10.0.2.1/16",
         false, PrefixRefused("current detector", "Vk7380TW")},
        {"7380TW current peer", Vk7380TW, "10.0.0.10", "10.1.0.1/8", "10.0.2.10", "10.0.2.1/16",
         false, PrefixRefused("current peer", "Vk7380TW")},
        {"7380TW new detector", Vk7380TW, "10.0.0.10", "10.0.0.1/8", "192.169.2.10", "10.0.2.1/16",
         false, PrefixRefused("new detector", "Vk7380TW")},
        {"7380TW new peer", Vk7380TW, "10.0.0.10", "10.0.0.1/8", "10.0.2.10", "192.169.2.1/16",
         false, PrefixRefused("new peer", "Vk7380TW")},
        {"6080MV current peer 10.0.", Vk6080MV, "10.0.1.5", "10.0.1.1/8", "10.0.2.10",
         "10.0.2.1/16", true, ""},
        {"6080MV current detector", Vk6080MV, "10.1.1.5", "10.0.1.1/8", "10.0.2.10", "10.0.2.1/16",
         false, PrefixRefused("current detector", "Vk6080MV")},
        {"6080MV current peer 10.1.", Vk6080MV, "10.0.1.5", "10.1.1.1/8", "10.0.2.10",
         "10.0.2.1/16", false, PrefixRefused("current peer", "Vk6080MV")},
        {"6080MV new detector", Vk6080MV, "10.0.1.5", "10.0.1.1/8", "1.0.2.10", "10.0.2.1/16",
         false, PrefixRefused("new detector", "Vk6080MV")},
        {"6080MV new peer", Vk6080MV, "10.0.1.5", "10.0.1.1/8", "10.0.2.10", "", false,
         PrefixRefused("new peer", "Vk6080MV")},
        {"first failure only", VknQ2, "1.1.1.1", "1.1.1.2/8", "1.1.1.3", "1.1.1.4/8", false,
         PrefixRefused("current detector", "VknQ2")},
    };
    ExpectCases(cases, SubsetRules);
}

// Redirects one standard stream into a string for the lifetime of the object.
class StreamCapture {
public:
    explicit StreamCapture(std::ostream& stream) : stream_(stream), old_(stream.rdbuf()) {
        stream_.rdbuf(text_.rdbuf());
    }
    ~StreamCapture() { stream_.rdbuf(old_); }
    std::string Text() const { return text_.str(); }

private:
    std::ostream& stream_;
    std::streambuf* old_;
    std::ostringstream text_;
};

TEST(AddressChecksStreamsTest, SyntaxChecksWriteToStandardErrorSubsetRulesToStandardOutput) {
    StreamCapture out(std::cout);
    StreamCapture err(std::cerr);

    EXPECT_FALSE(CheckCurrentIpAddresses(Vk7380TW, "192.168.1.11", "192.168.1.10"));
    EXPECT_FALSE(
        CheckIpAddressChange(Vk7x80, "192.168.37.130", "", "192.168.37.130", "192.168.37.130"));
    EXPECT_FALSE(CheckIpSubsetRules(Vk6080K, "192.168.0.2", "", "10.0.0.3", ""));
    EXPECT_TRUE(CheckIpSubsetRules(Vk6080K, "192.168.0.2", "", "10.0.0.66", ""));

    EXPECT_EQ(err.Text(), "Error - Invalid current peer cidr address : 192.168.1.10\n"
                          "Error - new detector and peer ip addresses cannot be the same\n");
    EXPECT_EQ(out.Text(), "Error - new detector ip is not in the allowed Vk6080K subset: " +
                              Vk6080KTable + "\n");
}

} // namespace
