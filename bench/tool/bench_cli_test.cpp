#include "bench/store/atomic_file.h"
#include "bench/store/bench_catalogue.h"
#include "bench/store/detector_files.h"
#include "bench/testing/hand_edit.h"
#include "bench/testing/scratch_bench.h"
#include "bench/tool/bench_cli.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace velkor {
namespace bench {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::vector<std::string> Lines(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The words of a command line written with one blank between them.
std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

class BenchCliTest : public ::testing::Test {
protected:
    Outcome run(const std::vector<std::string>& args, const std::string& input = "") {
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        const int status = BenchCli(BenchStore(scratch.root()), in, out, err).run(args);
        return Outcome{status, out.str(), err.str()};
    }
    void init() { ASSERT_EQ(0, run({"init"}).status); }

    testing::ScratchBench scratch;
};

TEST_F(BenchCliTest, BadArgumentsGiveTheUsageLineAndStatus2) {
    init();
    const char* const AnyCommand =
        "velkor-bench COMMAND [ARGUMENTS]  (velkor-bench --help lists them)";
    const char* const AddUsage =
        "velkor-bench add MODEL ADDRESS [--host ADDRESS] [--link cable|wifi]";
    struct Case {
        const char* args; // split at blanks
        const char* reason;
        const char* usage;
    };
    const std::vector<Case> cases = {
        {"", "no command given", AnyCommand},
        {"frobnicate", "unknown command frobnicate", AnyCommand},
        // A slip of the keyboard gets the name meant.
        {"lsit", "unknown command lsit (did you mean list?)", AnyCommand},
        {"check-pasword 6080QL", "unknown command check-pasword (did you mean check-password?)",
         AnyCommand},
        {"list --jsno", "unknown option --jsno (did you mean --json?)",
         "velkor-bench list [--json]"},
        {"--version list", "--version stands alone", "velkor-bench list [--json]"},
        {"show", "missing arguments", "velkor-bench show DETECTOR [--json]"},
        {"show 7380 7180", "too many arguments", "velkor-bench show DETECTOR [--json]"},
        {"list --force", "--force is not an option of list", "velkor-bench list [--json]"},
        {"init --json", "--json is not an option of init", "velkor-bench init [--force]"},
        {"reboot 7380 --verbose", "unknown option --verbose", "velkor-bench reboot DETECTOR"},
        {"fault 7380 broken on",
         "unknown fault broken (known: offline, fail-write, refuse-write, missing:file, "
         "missing:connection, missing:network_configuration, missing:wifi, missing:serial_ir)",
         "velkor-bench fault DETECTOR KIND on|off"},
        {"fault 7380 offline maybe", "a fault is switched on or off, not maybe",
         "velkor-bench fault DETECTOR KIND on|off"},
        {"link 4050QL radio", "the link is cable or wifi, not radio",
         "velkor-bench link DETECTOR cable|wifi"},
        {"add 7308 10.0.0.9",
         "unknown model 7308 (did you mean 7380? known: 6080K, 7180, 7380, 6080QL, 4050QL, "
         "7380TW, 6080MV)",
         AddUsage},
        {"add 6080ql 10.0.0.9",
         "unknown model 6080ql (did you mean 6080QL? known: 6080K, 7180, 7380, 6080QL, 4050QL, "
         "7380TW, 6080MV)",
         AddUsage},
        {"fault 7380 ofline on",
         "unknown fault ofline (did you mean offline? known: offline, fail-write, refuse-write, "
         "missing:file, missing:connection, missing:network_configuration, missing:wifi, "
         "missing:serial_ir)",
         "velkor-bench fault DETECTOR KIND on|off"},
        {"check-password 6080QL secret",
         "the password is read from standard input, not from the command line, where the "
         "process list and the shell history would keep it",
         "velkor-bench check-password DETECTOR"},
        {"add 9999 10.0.0.9",
         "unknown model 9999 (known: 6080K, 7180, 7380, 6080QL, 4050QL, 7380TW, 6080MV)", AddUsage},
        {"add 7380 10.0.0", "\"10.0.0\" is not a dotted address", AddUsage},
        {"add 7380", "missing arguments", AddUsage},
        {"add 7380 10.0.0.9 --host", "--host needs a value", AddUsage},
        {"show 7380 --host 1.2.3.4", "--host is an option of add",
         "velkor-bench show DETECTOR [--json]"},
        {"dump 7380 file", "FILE_NUMBER is a number such as 68 or 206, not file",
         "velkor-bench dump DETECTOR FILE_NUMBER"},
        {"unplug", "missing arguments", "velkor-bench unplug PORT"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = run(Words(c.args));
        EXPECT_EQ(2, outcome.status) << c.reason;
        EXPECT_EQ(std::string("velkor-bench: ") + c.reason + "\nusage: " + c.usage + "\n",
                  outcome.err);
        EXPECT_EQ("", outcome.out);
    }
}

TEST_F(BenchCliTest, AnUnknownDetectorIsStatus1WithAClearMessage) {
    init();
    for (const char* command : {"show", "remove", "reboot"}) {
        const Outcome outcome = run({command, "9.9.9.9"});
        EXPECT_EQ(1, outcome.status) << command;
        EXPECT_EQ("velkor-bench: no detector 9.9.9.9 on the bench at " + scratch.root().string() +
                      "\n",
                  outcome.err);
    }
}

TEST_F(BenchCliTest, AMistypedDetectorIdGetsTheClosestKnownOne) {
    init();
    ASSERT_EQ(0, run(Words("add 7380 10.0.37.132")).status);
    const struct {
        const char* typed;
        const char* suggestion;
    } cases[] = {
        {"7308", " (did you mean 7380?)"},
        {"7380-3", " (did you mean 7380-2?)"},
        {"4050ql", " (did you mean 4050QL?)"},
        {"6080Q", " (did you mean 6080QL?)"},
        {"frobnicate", ""},
        {"10.0.37.99", ""},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run({"show", c.typed});
        EXPECT_EQ(1, outcome.status) << c.typed;
        EXPECT_EQ(std::string("velkor-bench: no detector ") + c.typed + " on the bench at " +
                      scratch.root().string() + c.suggestion + "\n",
                  outcome.err);
    }
}

TEST_F(BenchCliTest, VersionIsTheProjectsAndStandsAlone) {
    const Outcome outcome = run({"--version"});
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ(std::string("velkor-bench ") + BenchCli::Version + "\n", outcome.out);
    // MAJOR.MINOR.PATCH (by hand: Windows' GoogleTest has no character classes)
    const std::string version = BenchCli::Version;
    EXPECT_EQ(2, std::count(version.begin(), version.end(), '.')) << version;
    EXPECT_TRUE(std::all_of(version.begin(), version.end(), [](char c) {
        return c == '.' || (c >= '0' && c <= '9');
    })) << version;
    EXPECT_EQ(std::string::npos, ("." + version + ".").find("..")) << version;
    EXPECT_EQ("", outcome.err);
}

TEST_F(BenchCliTest, HelpFitsIn80Columns) {
    std::istringstream help(BenchCli::HelpText());
    for (std::string line; std::getline(help, line);) {
        EXPECT_LE(line.size(), 80u) << line;
    }
}

TEST_F(BenchCliTest, InitRefusesAnExistingBenchWithoutForce) {
    const Outcome first = run({"init"});
    EXPECT_EQ(0, first.status);
    EXPECT_EQ("factory bench set up at " + scratch.root().string() +
                  ": 7 detectors, an infrared module on COM3\n",
              first.out);
    const Outcome second = run({"init"});
    EXPECT_EQ(1, second.status);
    EXPECT_EQ("velkor-bench: a bench already exists at " + scratch.root().string() +
                  ": velkor-bench init --force replaces it\n",
              second.err);
    EXPECT_EQ(0, run({"init", "--force"}).status);
}

TEST_F(BenchCliTest, ShowsThe7380ByTheAddressItAnswersAt) {
    init();
    const Outcome outcome = run({"show", "192.168.37.130"});
    EXPECT_EQ(0, outcome.status) << outcome.err;
    EXPECT_EQ("detector: 7380\n"
              "model: 7380\n"
              "answers at: 192.168.37.130\n"
              "link: cable\n"
              "faults: none\n"
              "file 206 size: 153\n"
              "file checksum: 0xEC (right)\n"
              "file checksum right: yes\n"
              "file records: 18\n"
              "file detector address: 192.168.37.130\n"
              "file host address: 192.168.37.131\n"
              "file image host address: 192.168.37.131\n"
              "detector port: 10001\n"
              "command port: 2046\n"
              "image port: 6001\n"
              "file header: GEN3.DCF, 153 bytes, 07/09/2010 15:11:40\n"
              "pending reboot: no\n"
              "applyNetworkConfig calls: 0\n"
              "host name: -\n",
              outcome.out);
}

TEST_F(BenchCliTest, ShowsAnNq2WithoutEverPrintingThePassword) {
    init();
    {
        auto session = BenchStore(scratch.root()).open("6080QL");
        session->writeSsidAndPassword("WARD-7", "very-secret-9");
        session->setFault("refuse-write", true);
    }
    const Outcome outcome = run({"show", "6080QL"});
    EXPECT_EQ(0, outcome.status) << outcome.err;
    EXPECT_EQ("detector: 6080QL\n"
              "model: 6080QL\n"
              "answers at: 192.168.1.20\n"
              "link: cable\n"
              "faults: refuse-write\n"
              "stored detector address: 192.168.1.20\n"
              "detector value: 0x00A5\n"
              "stored host address: 192.168.1.1/24\n"
              "command port: 2063\n"
              "image port: 6018\n"
              "pending apply: no\n"
              "ssid: WARD-7\n"
              "password: set\n"
              "wifi switch: on\n"
              "applyUserConfig calls: 0\n"
              "applyNetworkConfig calls: 0\n"
              "host name: -\n"
              "infrared module: COM3\n",
              outcome.out);
    const Outcome json = run({"show", "6080QL", "--json"});
    EXPECT_THAT(json.out, Not(HasSubstr("very-secret-9")));
    EXPECT_THAT(json.out, HasSubstr("\"password_set\":true"));
    EXPECT_THAT(json.out, HasSubstr("\"faults\":[\"refuse-write\"]"));
    EXPECT_THAT(json.out, HasSubstr("\"command_port\":2063"));
    EXPECT_EQ("password: not set\n", [&] {
        const std::string text = run({"show", "4050QL"}).out;
        const std::size_t at = text.find("password: ");
        return text.substr(at, text.find('\n', at) - at + 1);
    }());
}

TEST_F(BenchCliTest, ShowJsonKeepsNumbersAndFlagsTyped) {
    init();
    const Outcome outcome = run({"show", "7380", "--json"});
    EXPECT_EQ(0, outcome.status);
    EXPECT_THAT(outcome.out, HasSubstr("{\"id\":\"7380\",\"model\":\"7380\","
                                       "\"answers_at\":\"192.168.37.130\""));
    EXPECT_THAT(outcome.out, HasSubstr("\"faults\":[]"));
    EXPECT_THAT(outcome.out, HasSubstr("\"file_checksum\":236"));
    EXPECT_THAT(outcome.out, HasSubstr("\"file_checksum_right\":true"));
    EXPECT_THAT(outcome.out, HasSubstr("\"file_host_address\":\"192.168.37.131\""));
    EXPECT_EQ('\n', outcome.out.back());
}

TEST_F(BenchCliTest, ListsDetectorsAndModules) {
    init();
    ASSERT_EQ(0, run({"fault", "7180", "offline", "on"}).status);
    const Outcome outcome = run({"list"});
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("DETECTOR     MODEL   ANSWERS AT       LINK   NOTES\n"
              "4050QL       4050QL  192.168.2.20     wifi   -\n"
              "6080K        6080K   192.168.0.2      cable  -\n"
              "6080MV       6080MV  192.168.3.20     cable  -\n"
              "6080QL       6080QL  192.168.1.20     cable  -\n"
              "7180         7180    10.0.37.130      cable  fault offline\n"
              "7380         7380    192.168.37.130   cable  -\n"
              "7380TW       7380TW  10.0.0.20        cable  -\n"
              "\n"
              "MODULE       FACES\n"
              "COM3         6080QL\n",
              outcome.out);
    const Outcome json = run({"list", "--json"});
    EXPECT_THAT(json.out, HasSubstr("{\"id\":\"7180\",\"model\":\"7180\",\"answers_at\":"
                                    "\"10.0.37.130\",\"link\":\"cable\",\"pending_reboot\":false,"
                                    "\"pending_apply\":false,\"faults\":[\"offline\"]}"));
    EXPECT_THAT(json.out, HasSubstr("\"modules\":[{\"port\":\"COM3\",\"faces\":\"6080QL\"}]"));
}

TEST_F(BenchCliTest, ADamagedDetectorIsMarkedByListAndExplainedByShow) {
    init();
    const BenchCatalogue catalogue =
        BenchCatalogue::FromJson(atomic_file::ReadText(scratch.root() / "bench.json"));
    atomic_file::WriteText(scratch.root() / "detectors" / catalogue.find("7380")->folder /
                               "detector.json",
                           std::string(200000, '['));
    const std::string reason = "malformed detector.json: nested deeper than 8 levels";

    const Outcome list = run({"list"});
    EXPECT_EQ(0, list.status) << list.err;
    EXPECT_EQ("DETECTOR     MODEL   ANSWERS AT       LINK   NOTES\n"
              "4050QL       4050QL  192.168.2.20     wifi   -\n"
              "6080K        6080K   192.168.0.2      cable  -\n"
              "6080MV       6080MV  192.168.3.20     cable  -\n"
              "6080QL       6080QL  192.168.1.20     cable  -\n"
              "7180         7180    10.0.37.130      cable  -\n"
              "7380         ?       ?                ?      damaged: " +
                  reason +
                  "\n"
                  "7380TW       7380TW  10.0.0.20        cable  -\n"
                  "\n"
                  "MODULE       FACES\n"
                  "COM3         6080QL\n",
              list.out);
    EXPECT_THAT(run({"list", "--json"}).out,
                HasSubstr("\"damaged\":[{\"id\":\"7380\",\"reason\":\"" + reason + "\"}]"));

    for (const char* command : {"show", "reboot", "dump"}) {
        std::vector<std::string> args = {command, "7380"};
        if (std::string(command) == "dump") {
            args.push_back("206");
        }
        const Outcome outcome = run(args);
        EXPECT_EQ(1, outcome.status) << command;
        EXPECT_EQ("velkor-bench: detector 7380 is damaged: " + reason + "\n", outcome.err)
            << command;
    }
    EXPECT_EQ(0, run({"show", "7180"}).status);
    const Outcome removed = run({"remove", "7380"});
    EXPECT_EQ(0, removed.status) << removed.err;
    EXPECT_THAT(run({"list"}).out, Not(HasSubstr("damaged")));
}

// The stored bytes stay as given; what reaches a terminal is escaped.
TEST_F(BenchCliTest, ControlCharactersOfAnSsidAreShownEscaped) {
    init();
    BenchStore(scratch.root())
        .open("6080QL")
        ->writeSsidAndPassword("\x1B]0;x\a\r\n\t\xFF", "password-1");
    EXPECT_THAT(run({"show", "6080QL"}).out, HasSubstr("ssid: \\x1B]0;x\\x07\\r\\n\\t\\xFF\n"));
    EXPECT_THAT(run({"show", "6080QL", "--json"}).out,
                HasSubstr("\"ssid\":\"\\\\x1B]0;x\\\\x07\\\\r\\\\n\\\\t\\\\xFF\""));
    EXPECT_EQ("\x1B]0;x\a\r\n\t\xFF", BenchStore(scratch.root()).find("6080QL")->ssid);
}

// Whatever a hand-edited bench holds (addresses, ids, a module's port and
// detector, the reason a detector is damaged) reaches no terminal raw.
TEST_F(BenchCliTest, TextsOfAHandEditedBenchAreShownEscaped) {
    init();
    testing::EditRecord(scratch.root(), "6080MV", [](DetectorRecord& record) {
        record.state.address = "192.168.3.20\x1B[2J";
        record.state.storedAddress = "\x1B]0;t\a";
        record.state.hostAddress = "\xC2\x9B"
                                   "1m";
    });
    testing::EditRecordText(scratch.root(), "7380", [](std::string& text) {
        text.replace(text.find("\"model\":\"7380\""), 14, "\"model\":\"\\u001b[31m9999\"");
    });
    testing::AddByHand(scratch.root(), "7180", "X\x1B[5m", "10.0.37.150", "COM\x1B[4m", "4050QL");
    testing::AddByHand(scratch.root(), "", "", "", "COM4", "6080QL\x1B[1m");
    testing::AddByHand(scratch.root(), "", "", "",
                       "COM\xC2\x9B"
                       "5");
    const std::string id = "X\x1B[5m";
    const std::string damaged =
        "detector 7380 is damaged: malformed detector.json: unknown model \\x1B[31m9999";
    const struct {
        std::vector<std::string> args;
        int status;
        std::vector<std::string> lines; // among the lines of standard output, or of error
    } cases[] = {
        {{"list"},
         0,
         {"6080MV       6080MV  192.168.3.20\\x1B[2J cable  -",
          "7380         ?       ?                ?      damaged: malformed detector.json: unknown "
          "model \\x1B[31m9999",
          "X\\x1B[5m     7180    10.0.37.150      cable  -", "COM\\x1B[4m   4050QL",
          "COM4         6080QL\\x1B[1m"}},
        {{"show", "6080MV"},
         0,
         {"answers at: 192.168.3.20\\x1B[2J", "stored detector address: \\x1B]0;t\\x07",
          "stored host address: \\xC2\\x9B1m"}},
        {{"show", "4050QL"}, 0, {"infrared module: COM\\x1B[4m"}},
        {{"show", id}, 0, {"detector: X\\x1B[5m"}},
        {{"show", "7380"}, 1, {"velkor-bench: " + damaged}},
        {{"reboot", "6080MV"}, 0, {"detector 6080MV rebooted: answers at 192.168.3.20\\x1B[2J"}},
        {{"fault", id, "offline", "on"}, 0, {"detector X\\x1B[5m: fault offline on"}},
        {{"add", "7180", "10.0.37.150"},
         1,
         {"velkor-bench: 10.0.37.150 is already answered by detector X\\x1B[5m"}},
        {{"plug", "COM8", "4050QL"},
         1,
         {"velkor-bench: detector 4050QL already faces the module on COM\\x1B[4m"}},
        {{"list", "--json"}, 0, {}},
        {{"show", "6080MV", "--json"}, 0, {}},
        {{"remove", id}, 0, {"removed detector X\\x1B[5m"}},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run(c.args);
        SCOPED_TRACE(c.args.front());
        EXPECT_EQ(c.status, outcome.status) << outcome.err;
        const std::vector<std::string> lines = Lines(c.status == 0 ? outcome.out : outcome.err);
        for (const std::string& line : c.lines) {
            EXPECT_THAT(lines, ::testing::Contains(line));
        }
        for (const std::string& shown : {outcome.out, outcome.err}) {
            EXPECT_THAT(shown, Not(HasSubstr("\x1B")));
            EXPECT_THAT(shown, Not(HasSubstr("\a")));
            EXPECT_THAT(shown, Not(HasSubstr("\xC2\x9B")));
        }
    }
}

// A port name that is not UTF-8 is kept as its bytes: plugged, listed
// escaped, and unplugged by the name it was plugged with.
TEST_F(BenchCliTest, APortNameThatIsNotUtf8IsUnpluggedByItsBytes) {
    init();
    const Outcome plugged = run({"plug", "COM\xE9", "6080MV"});
    EXPECT_EQ(0, plugged.status) << plugged.err;
    EXPECT_EQ("infrared module on COM\\xE9 faces detector 6080MV\n", plugged.out);
    EXPECT_THAT(Lines(run({"list"}).out), ::testing::Contains("COM\\xE9      6080MV"));
    const Outcome unplugged = run({"unplug", "COM\xE9"});
    EXPECT_EQ(0, unplugged.status) << unplugged.err;
    EXPECT_EQ("infrared module on COM\\xE9 unplugged\n", unplugged.out);
    EXPECT_EQ(1, run({"unplug", "COM\\xE9"}).status);
}

TEST_F(BenchCliTest, AnEmptyBenchListsAsEmpty) {
    const Outcome outcome = run({"list"});
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("the bench at " + scratch.root().string() +
                  " is empty: velkor-bench init sets one up\n",
              outcome.out);
}

TEST_F(BenchCliTest, DumpWritesTheRawFile) {
    init();
    const Outcome outcome = run({"dump", "7380", "206"});
    EXPECT_EQ(0, outcome.status);
    const Bytes expected =
        detector_files::MakeRegisterFile({192, 168, 37, 130}, {192, 168, 37, 131});
    EXPECT_EQ(std::string(expected.begin(), expected.end()), outcome.out);
    const Outcome wrong = run({"dump", "7380", "68"});
    EXPECT_EQ(1, wrong.status);
    EXPECT_EQ("velkor-bench: a 7380 has no file 68\n", wrong.err);
    EXPECT_EQ(68u, run({"dump", "192.168.0.2", "68"}).out.size());
}

TEST_F(BenchCliTest, RebootTakesTheStoredAddress) {
    init();
    {
        auto session = BenchStore(scratch.root()).open("6080K");
        session->writeFile(68, detector_files::MakeInterfaceFile({10, 0, 0, 66}));
    }
    EXPECT_THAT(run({"show", "6080K"}).out, HasSubstr("pending reboot: yes\n"));
    EXPECT_THAT(run({"list"}).out,
                HasSubstr("6080K        6080K   192.168.0.2      cable  reboot pending\n"));
    const Outcome outcome = run({"reboot", "192.168.0.2"});
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("detector 6080K rebooted: answers at 10.0.0.66\n", outcome.out);
    EXPECT_THAT(run({"show", "10.0.0.66"}).out, HasSubstr("answers at: 10.0.0.66\n"));
}

TEST_F(BenchCliTest, AddRemoveFaultLinkAndModules) {
    init();
    struct Step {
        const char* args; // split at blanks
        int status;
        const char* out;
        const char* err;
    };
    const std::vector<Step> steps = {
        {"add 7380 192.168.37.140", 0, "added detector 7380-2: 7380 at 192.168.37.140\n", ""},
        {"add 4050QL 192.168.6.20 --link wifi --host 192.168.6.1/24", 0,
         "added detector 4050QL-2: 4050QL at 192.168.6.20\n", ""},
        {"add 6080K 192.168.0.2", 1, "",
         "velkor-bench: 192.168.0.2 is already answered by detector 6080K\n"},
        {"fault 7380-2 missing:file on", 0, "detector 7380-2: fault missing:file on\n", ""},
        {"fault 7380-2 missing:wifi on", 1, "",
         "velkor-bench: a 7380 has no wifi extension to miss\n"},
        {"link 4050QL-2 cable", 0, "detector 4050QL-2 is linked by cable\n", ""},
        {"link 7380TW wifi", 1, "", "velkor-bench: a 7380TW has no Wi-Fi: its link is a cable\n"},
        {"plug /dev/ttyUSB0 4050QL-2", 0,
         "infrared module on /dev/ttyUSB0 faces detector 4050QL-2\n", ""},
        {"plug COM9", 0, "infrared module on COM9 faces no detector\n", ""},
        {"plug COM8 7380", 1, "", "velkor-bench: a 7380 has no infrared window\n"},
        {"unplug COM9", 0, "infrared module on COM9 unplugged\n", ""},
        {"unplug COM9", 1, "", "velkor-bench: no infrared module is plugged on COM9\n"},
        {"remove 4050QL-2", 0, "removed detector 4050QL-2\n", ""},
        {"remove 192.168.37.140", 0, "removed detector 7380-2\n", ""},
    };
    for (const Step& step : steps) {
        const Outcome outcome = run(Words(step.args));
        EXPECT_EQ(step.status, outcome.status) << step.args;
        EXPECT_EQ(step.out, outcome.out) << step.args;
        EXPECT_EQ(step.err, outcome.err) << step.args;
    }
    const Outcome list = run({"list"});
    EXPECT_THAT(list.out, Not(HasSubstr("7380-2")));
    EXPECT_THAT(list.out, HasSubstr("/dev/ttyUSB0 -\n"));
}

TEST_F(BenchCliTest, CheckPasswordReadsItFromStandardInput) {
    init();
    EXPECT_EQ(1, run({"check-password", "6080MV"}, "anything-at-all\n").status);
    {
        auto session = BenchStore(scratch.root()).open("6080MV");
        session->writeSsidAndPassword("WARD-7", " --dashed pass ");
    }
    // Only the line end is dropped, LF or CR LF; blanks are the password's.
    const struct {
        const char* input;
        int status;
        const char* out;
    } cases[] = {
        {" --dashed pass \n", 0, "the password matches\n"},
        {" --dashed pass \r\n", 0, "the password matches\n"},
        {" --dashed pass ", 0, "the password matches\n"},
        {" --dashed pass \nand more\n", 0, "the password matches\n"},
        {"--dashed pass\n", 1, "the password differs\n"},
        {"\n", 1, "the password differs\n"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run({"check-password", "6080MV"}, c.input);
        EXPECT_EQ(c.status, outcome.status) << c.input;
        EXPECT_EQ(c.out, outcome.out) << c.input;
        EXPECT_EQ("", outcome.err) << c.input;
    }
    const Outcome none = run({"check-password", "6080MV"}, "");
    EXPECT_EQ(2, none.status);
    EXPECT_EQ("velkor-bench: no password on standard input\n"
              "usage: velkor-bench check-password DETECTOR\n",
              none.err);
    EXPECT_EQ(1, run({"check-password", "7380"}, "whatever-pass\n").status);
}

// A password typed on check-password's command line by mistake, as an option
// or in the detector's place, is refused without being repeated.
TEST_F(BenchCliTest, ThePasswordTypedOnTheCommandLineIsNeverRepeated) {
    init();
    const std::string secret = "s3cret-Pass";
    const std::string usage = "usage: velkor-bench check-password DETECTOR\n";
    const std::string asOption =
        "velkor-bench: unknown option (not repeated here, in case it is a password): the "
        "password is read from standard input, not from the command line, where the process "
        "list and the shell history would keep it\n" +
        usage;
    const std::string asDetector = "velkor-bench: no detector of that id or address on the bench "
                                   "at " +
                                   scratch.root().string() +
                                   " (the word is not repeated here, in case it is a password)\n";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{"check-password", "6080QL", "-" + secret}, 2, asOption},
        {{"check-password", "-" + secret, "6080QL"}, 2, asOption},
        {{"-" + secret, "check-password", "6080QL"}, 2, asOption},
        {{"check-password", "--" + secret}, 2, asOption},
        {{"check-password", secret}, 1, asDetector},
        {{"check-password", "--", "-" + secret}, 1, asDetector},
        {{"check-password", "6080Q"}, 1, asDetector},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run(c.args, "password-1\n");
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(c.status, outcome.status);
        EXPECT_EQ(c.err, outcome.err);
        EXPECT_EQ("", outcome.out);
        EXPECT_THAT(outcome.err, Not(HasSubstr(secret)));
    }
    // Other commands still say which option they do not know.
    EXPECT_EQ("velkor-bench: unknown option -" + secret +
                  "\nusage: velkor-bench show DETECTOR "
                  "[--json]\n",
              run({"show", "6080QL", "-" + secret}).err);
}

TEST_F(BenchCliTest, HelpNamesEveryCommand) {
    const Outcome outcome = run({"--help"});
    EXPECT_EQ(0, outcome.status);
    for (const char* command :
         {"init [--force]", "list [--json]", "add MODEL ADDRESS", "remove", "show DETECTOR",
          "dump DETECTOR FILE_NUMBER", "reboot", "fault DETECTOR KIND on|off",
          "link DETECTOR cable|wifi", "plug PORT [DETECTOR]", "unplug PORT", "check-password"}) {
        EXPECT_THAT(outcome.out, HasSubstr(command));
    }
}

// The help text, byte for byte: it comes from the command table.
TEST_F(BenchCliTest, HelpIsTheSameByteForByte) {
    const Outcome outcome = run({"help"});
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("velkor-bench - the emulated detector bench that velkor-ipconfig-cmd runs against\n"
              "\n"
              "usage:\n"
              "  velkor-bench init [--force]        set up the factory bench\n"
              "                                     (--force replaces one)\n"
              "  velkor-bench list [--json]         the detectors and infrared modules\n"
              "  velkor-bench add MODEL ADDRESS [--host ADDRESS] [--link cable|wifi]\n"
              "                                     a new detector; prints its id\n"
              "  velkor-bench remove DETECTOR\n"
              "  velkor-bench show DETECTOR [--json]\n"
              "  velkor-bench dump DETECTOR FILE_NUMBER   raw bytes of file 68 or 206\n"
              "  velkor-bench reboot DETECTOR       the detector takes its stored addresses\n"
              "  velkor-bench fault DETECTOR KIND on|off\n"
              "  velkor-bench link DETECTOR cable|wifi\n"
              "  velkor-bench plug PORT [DETECTOR]  an infrared module on PORT, facing DETECTOR\n"
              "                                     (or no detector)\n"
              "  velkor-bench unplug PORT\n"
              "  velkor-bench check-password DETECTOR\n"
              "                                     exit 0 when the password on standard\n"
              "                                     input is the stored Wi-Fi password\n"
              "\n"
              "MODEL: 6080K, 7180, 7380, 6080QL, 4050QL, 7380TW, 6080MV.\n"
              "DETECTOR: an id from list (the factory detectors are named after their model,\n"
              "  added ones MODEL-2, MODEL-3, ...) or the address the detector answers at.\n"
              "KIND: offline, fail-write, refuse-write, missing:file, missing:connection,\n"
              "  missing:network_configuration, missing:wifi, missing:serial_ir.\n"
              "  offline: nobody answers; fail-write: every write throws, nothing is stored;\n"
              "  refuse-write: writeAddresses answers false; missing:EXTENSION: it is absent.\n"
              "\n"
              "The bench lives in $VELKOR_BENCH, else $XDG_STATE_HOME/velkor/bench, else\n"
              "~/.local/state/velkor/bench. A run holds a detector from open to close; another\n"
              "one waits for it at most 3 seconds ($VELKOR_BENCH_LOCK_TIMEOUT_MS overrides).\n"
              "Every change to a detector is stored whole in one step, so a killed run leaves\n"
              "it as it was before or after a library call, never between.\n"
              "A detector whose stored state cannot be read is damaged: list marks it with the\n"
              "reason, show explains it, runs on the other detectors go on as usual, and\n"
              "remove drops it (init --force replaces the whole bench).\n"
              "Exit status: 0 done, 1 refused or failed, 2 bad arguments.\n"
              "velkor-bench --version shows the version; man velkor-bench tells more.\n",
              outcome.out);
    EXPECT_EQ(outcome.out, BenchCli::HelpText());
    EXPECT_EQ(outcome.out, run({"show", "--help"}).out);
    EXPECT_EQ("", outcome.err);
}

} // namespace
} // namespace bench
} // namespace velkor
