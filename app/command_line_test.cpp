#include "app/command_line.h"
#include "app/testing/console_texts.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Parses the words after the program name into `commandLine`; returns the
// option library's message, or an empty text when parsing succeeded.
std::string Parse(CommandLine& commandLine, const std::vector<std::string>& words) {
    std::vector<const char*> argv = {"velkor-ipconfig-cmd"};
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    try {
        commandLine.Parse(static_cast<int>(argv.size()), argv.data());
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

TEST(CommandLineTest, LongShortAndAbbreviatedNamesFillTheValues) {
    CommandLine commandLine;
    ASSERT_EQ(Parse(commandLine,
                    {"-t", "6080QL", "--current_detector_ip=192.168.1.10", "-l", "192.168.1.1/24",
                     "--new_det", "10.0.0.5", "-p10.0.0.1/16", "--new_ssid", "net", "-o", "secret",
                     "-w", "off", "-m", "--serial", "COM3", "-v"}),
              "");
    const CommandLineValues& values = commandLine.Values();
    EXPECT_EQ(values.type, "6080QL");
    EXPECT_EQ(values.currentDetectorIp, "192.168.1.10");
    EXPECT_EQ(values.currentPeerIp, "192.168.1.1/24");
    EXPECT_EQ(values.newDetectorIp, "10.0.0.5");
    EXPECT_EQ(values.newPeerIp, "10.0.0.1/16");
    EXPECT_EQ(values.newSsid, "net");
    EXPECT_EQ(values.newPassword, "secret");
    EXPECT_EQ(values.serialPort, "COM3");
    EXPECT_FALSE(values.wifiEnable);
    for (const char* name :
         {"type", "current_detector_ip", "current_peer_ip", "new_detector_ip", "new_peer_ip",
          "new_ssid", "new_password", "wifi_enable", "module", "serial_port", "verbose"}) {
        EXPECT_TRUE(commandLine.IsGiven(name)) << name;
    }
    EXPECT_FALSE(commandLine.IsGiven("help"));
}

TEST(CommandLineTest, NothingGivenLeavesEverythingEmpty) {
    CommandLine commandLine;
    ASSERT_EQ(Parse(commandLine, {}), "");
    const CommandLineValues& values = commandLine.Values();
    EXPECT_TRUE(values.type.empty());
    EXPECT_TRUE(values.serialPort.empty());
    EXPECT_FALSE(values.wifiEnable);
    EXPECT_FALSE(commandLine.IsGiven("wifi_enable"));
    EXPECT_FALSE(commandLine.IsGiven("module"));
}

TEST(CommandLineTest, EmptyValueIsKeptAsEmptyText) {
    CommandLine commandLine;
    ASSERT_EQ(Parse(commandLine, {"--new_ssid", "", "-o", ""}), "");
    EXPECT_TRUE(commandLine.IsGiven("new_ssid"));
    EXPECT_EQ(commandLine.Values().newSsid, "");
    EXPECT_EQ(commandLine.Values().newPassword, "");
}

TEST(CommandLineTest, WifiWords) {
    struct Case {
        const char* word;
        bool enabled;
    };
    const Case cases[] = {{"true", true}, {"yes", true},    {"on", true},  {"1", true},
                          {"TRUE", true}, {"false", false}, {"no", false}, {"off", false},
                          {"0", false},   {"Off", false}};
    for (const Case& c : cases) {
        CommandLine commandLine;
        ASSERT_EQ(Parse(commandLine, {"--wifi_enable", c.word}), "") << c.word;
        EXPECT_EQ(commandLine.Values().wifiEnable, c.enabled) << c.word;
        EXPECT_TRUE(commandLine.IsGiven("wifi_enable")) << c.word;
    }
}

TEST(CommandLineTest, RejectedCommandLines) {
    const std::string wifiChoices =
        " for option '--wifi_enable' is invalid. Valid choices are 'on|off', 'yes|no', '1|0' "
        "and 'true|false'";
    struct Case {
        std::vector<std::string> words;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"--bogus"}, "unrecognised option '--bogus'"},
        {{"-x"}, "unrecognised option '-x'"},
        {{"--type"}, "the required argument for option '--type' is missing"},
        {{"-t"}, "the required argument for option '--type' is missing"},
        {{"--wifi_enable", "maybe"}, "the argument ('maybe')" + wifiChoices},
        {{"-w", "2"}, "the argument ('2')" + wifiChoices},
        // The library alone would read an empty word as "true".
        {{"--wifi_enable", ""}, "the argument" + wifiChoices},
        {{"-w", ""}, "the argument" + wifiChoices},
        {{"--wifi_enable="},
         "the argument for option '--wifi_enable' should follow immediately after the equal "
         "sign"},
        {{"--new_ssid=", "x"},
         "the argument for option '--new_ssid' should follow immediately after the equal sign"},
        {{"-t", "7380", "--type", "7180"}, "option '--type' cannot be specified more than once"},
        {{"-w", "on", "-w", "off"}, "option '--wifi_enable' cannot be specified more than once"},
        {{"-m", "-m"}, "option '--module' cannot be specified more than once"},
        {{"--new", "1.2.3.4"},
         "option '--new' is ambiguous and matches '--new_detector_ip', '--new_password', "
         "'--new_peer_ip', and '--new_ssid'"},
        {{"--help=yes"}, "option '--help' does not take any arguments"},
        // A stray word is refused rather than dropped.
        {{"7380"}, "too many positional options have been specified on the command line"},
        {{"-i", "My", "Network", "-o", "pw"},
         "too many positional options have been specified on the command line"},
    };
    for (const Case& c : cases) {
        CommandLine commandLine;
        EXPECT_EQ(Parse(commandLine, c.words), c.message) << c.words.front();
    }
}

// The option library fills its messages by replacing placeholders in a loop; a
// word carrying one must come back as typed instead of keeping it busy.
TEST(CommandLineTest, PlaceholdersInWordsAreReportedAsTyped) {
    const std::string wifiChoices =
        " for option '--wifi_enable' is invalid. Valid choices are 'on|off', 'yes|no', '1|0' "
        "and 'true|false'";
    for (const std::string placeholder :
         {"%value%", "%canonical_option%", "%original_token%", "%option%", "%prefix%", "%"}) {
        struct Case {
            std::vector<std::string> words;
            std::string message;
        };
        const std::vector<Case> cases = {
            {{"-t", "6080QL", "-w", "x" + placeholder},
             "the argument ('x" + placeholder + "')" + wifiChoices},
            {{"--wifi_enable=" + placeholder},
             "the argument ('" + placeholder + "')" + wifiChoices},
            {{"-t", "7380", "--bogus" + placeholder},
             "unrecognised option '--bogus" + placeholder + "'"},
            {{"-" + placeholder}, "unrecognised option '-" + placeholder + "'"},
            {{"--" + placeholder + "x", "1"}, "unrecognised option '--" + placeholder + "x'"},
            {{"-t", placeholder, "-t", "7380"},
             "option '--type' cannot be specified more than once"},
            {{"-i", "My", placeholder},
             "too many positional options have been specified on the command line"},
        };
        for (const Case& c : cases) {
            CommandLine commandLine;
            EXPECT_EQ(Parse(commandLine, c.words), c.message) << c.words.back();
        }
    }
}

TEST(CommandLineTest, PlaceholdersInAcceptedValuesAreKept) {
    CommandLine commandLine;
    ASSERT_EQ(Parse(commandLine, {"-t", "%value%", "-i", "net%canonical_option%"}), "");
    EXPECT_EQ(commandLine.Values().type, "%value%");
    EXPECT_EQ(commandLine.Values().newSsid, "net%canonical_option%");
}

} // namespace

namespace {

// The option library's own rendering, trailing blanks included; a change of a
// help text or of the table's widths shows up here.
TEST(CommandLineTest, OptionTableAsPrinted) {
    CommandLine commandLine;
    std::ostringstream text;
    text << commandLine.Options();
    EXPECT_EQ(text.str(), app_testing::OptionTable);
}

} // namespace
