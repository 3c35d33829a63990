#include "config/user_config_file_infos.h"
#include "platform/tools/logger.h"

#include <boost/lexical_cast.hpp>
#include <boost/property_tree/exceptions.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using boost::property_tree::ptree;
using boost::property_tree::ptree_bad_path;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Collects every log line while a test runs.
class LogCapture {
public:
    LogCapture() {
        mirl::tools::logger::manager().addsink(
            "test", [this](const std::string& line) { lines.push_back(line); });
    }
    ~LogCapture() { mirl::tools::logger::manager().removesink("test"); }

    std::vector<std::string> lines;
};

// `call` must throw an `Error` after logging exactly one line: `message`
// followed by the error's own text.
template <typename Error, typename Call>
void ExpectLoggedAndThrown(const char* what, const std::string& message, Call call) {
    LogCapture log;
    try {
        call();
        ADD_FAILURE() << "no exception from " << what;
    } catch (const Error& e) {
        EXPECT_THAT(log.lines, ElementsAre("E " + message + e.what() + "\n"));
    }
}

const std::string GetBadPath = "UserConfigFileInfos::GetUcfValue - xml parsing bad path error : ";
const std::string GetLexical = "UserConfigFileInfos::GetUcfValue - lexical cast error : ";
const std::string SetBadPath = "UserConfigFileInfos::SetUcfValue - xml parsing bad path error : ";

// A document with neighbours around the switch, so that changes that spill
// over show up in a whole-tree comparison.
UserConfigFileInfos DocumentWithWifi(const std::string& wifiText) {
    UserConfigFileInfos document;
    document.tree().put("ucf.language", "fr");
    document.tree().put("ucf.wifi_enable", wifiText);
    document.tree().put("ucf.network.dhcp", "00");
    document.tree().put("other.wifi_enable", "00");
    return document;
}

TEST(UserConfigFileInfos, WifiSwitchReadsOnlyByteOneAsOn) {
    const struct {
        const char* text;
        bool on;
    } cases[] = {
        {"01", true},   {"1", true},   {"001", true},      {"101", true}, {"00", false},
        {"0", false},   {"02", false}, {"FF", false},      {"ff", false}, {"100", false},
        {"1FF", false}, {"10", false}, {"FFFFFF01", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        LogCapture log;
        const UserConfigFileInfos document = DocumentWithWifi(c.text);
        const boost::optional<bool> on = document.GetWifiEnable();
        ASSERT_TRUE(on);
        EXPECT_EQ(c.on, *on);
        EXPECT_THAT(log.lines, IsEmpty());
    }
}

TEST(UserConfigFileInfos, MalformedSwitchTextIsLoggedAndRethrown) {
    const std::string cases[] = {" 01", "01 ", "", "0x01", "+1", "-1", "on", "100000000"};
    for (const auto& text : cases) {
        SCOPED_TRACE("[" + text + "]");
        const UserConfigFileInfos document = DocumentWithWifi(text);
        const ptree before = document.tree();
        ExpectLoggedAndThrown<boost::bad_lexical_cast>("GetWifiEnable", GetLexical,
                                                       [&] { document.GetWifiEnable(); });
        EXPECT_EQ(before, document.tree());
    }
}

TEST(UserConfigFileInfos, AbsentKeyGivesEmptyResultWithoutLog) {
    LogCapture log;
    UserConfigFileInfos document;
    document.tree().put("ucf.language", "fr");
    // A switch outside "ucf" does not count.
    document.tree().put("wifi_enable", "01");
    document.tree().put("other.wifi_enable", "01");

    EXPECT_FALSE(document.GetWifiEnable());
    EXPECT_FALSE(document.GetUcfValue("wifi_enable"));
    EXPECT_FALSE(document.GetUcfValue("network.wifi_enable"));
    EXPECT_THAT(log.lines, IsEmpty());
}

TEST(UserConfigFileInfos, KeysArePathsBelowUcf) {
    UserConfigFileInfos document;
    document.tree().put("ucf.network.wifi.channel", "0B");
    document.tree().put("ucf.network", "");

    EXPECT_EQ(boost::optional<unsigned char>(11), document.GetUcfValue("network.wifi.channel"));
    EXPECT_FALSE(document.GetUcfValue("network.wifi.band"));
    EXPECT_FALSE(document.GetUcfValue("wifi.channel"));
}

TEST(UserConfigFileInfos, TreeWithoutUcfFailsWithBadPath) {
    const struct {
        const char* name;
        void (*fill)(ptree&);
    } trees[] = {
        {"empty", [](ptree&) {}},
        {"switch at top level", [](ptree& tree) { tree.put("wifi_enable", "01"); }},
        {"other root", [](ptree& tree) { tree.put("config.wifi_enable", "01"); }},
    };
    for (const auto& t : trees) {
        SCOPED_TRACE(t.name);
        UserConfigFileInfos document;
        t.fill(document.tree());
        const ptree before = document.tree();

        ExpectLoggedAndThrown<ptree_bad_path>("GetWifiEnable", GetBadPath,
                                              [&] { document.GetWifiEnable(); });
        for (const bool on : {true, false}) {
            ExpectLoggedAndThrown<ptree_bad_path>("SetWifiEnable", SetBadPath,
                                                  [&] { document.SetWifiEnable(on); });
        }
        {
            LogCapture log;
            EXPECT_THROW(document.SetUcfValue("a.b", "01"), ptree_bad_path);
            EXPECT_EQ(1u, log.lines.size());
        }
        // "ucf" is never created, and nothing else is added.
        EXPECT_EQ(before, document.tree());
    }
}

TEST(UserConfigFileInfos, SetWifiEnableWritesTheSwitchInPlace) {
    const struct {
        const char* before;
        bool on;
        const char* after;
    } cases[] = {
        {"00", true, "01"}, {"01", false, "00"}, {"01", true, "01"},
        {"FF", true, "01"}, {" 1", false, "00"}, {"", true, "01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("[") + c.before + "] -> " + c.after);
        LogCapture log;
        UserConfigFileInfos document = DocumentWithWifi(c.before);
        document.SetWifiEnable(c.on);

        // Same children in the same order, only the switch's text differs.
        EXPECT_EQ(DocumentWithWifi(c.after).tree(), document.tree());
        EXPECT_EQ(boost::optional<bool>(c.on), document.GetWifiEnable());
        EXPECT_THAT(log.lines, IsEmpty());
    }
}

TEST(UserConfigFileInfos, SetWifiEnableCreatesAMissingSwitch) {
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        UserConfigFileInfos document;
        document.tree().put("ucf.language", "fr");
        document.tree().put("ucf.network.dhcp", "00");
        document.tree().put("other.wifi_enable", "FF");

        document.SetWifiEnable(on);

        ptree expected;
        expected.put("ucf.language", "fr");
        expected.put("ucf.network.dhcp", "00");
        expected.put("other.wifi_enable", "FF");
        expected.get_child("ucf").push_back(
            ptree::value_type("wifi_enable", ptree(on ? "01" : "00")));
        EXPECT_EQ(expected, document.tree());
    }
}

TEST(UserConfigFileInfos, SetUcfValueCreatesIntermediateNodesBelowUcfOnly) {
    UserConfigFileInfos document;
    document.tree().put("ucf.language", "fr");
    document.tree().put("top", "1");

    document.SetUcfValue("network.wifi.ssid", "ward 3");
    document.SetUcfValue("language", "en");

    ptree expected;
    expected.put("ucf.language", "en");
    expected.put("ucf.network.wifi.ssid", "ward 3");
    expected.put("top", "1");
    EXPECT_EQ(expected, document.tree());
}

// A key naming a node without a name is a bad path: logged, thrown, and the
// tree is left exactly as it was.
TEST(UserConfigFileInfos, KeysWithAnEmptyNameAreBadPaths) {
    for (const std::string key : {"", ".", "a.", ".a", "a..b", "wifi_enable.", "..", "a.b."}) {
        SCOPED_TRACE("[" + key + "]");
        UserConfigFileInfos document = DocumentWithWifi("01");
        document.tree().put("ucf.a.b", "01");
        const ptree before = document.tree();
        ExpectLoggedAndThrown<ptree_bad_path>("SetUcfValue", SetBadPath,
                                              [&] { document.SetUcfValue(key, "01"); });
        ExpectLoggedAndThrown<ptree_bad_path>("GetUcfValue", GetBadPath,
                                              [&] { document.GetUcfValue(key); });
        EXPECT_EQ(before, document.tree());
    }
}

} // namespace
