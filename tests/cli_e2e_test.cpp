// The command line of velkor-ipconfig-cmd, up to the point where a road would
// contact a detector: every line, stream and exit status of a rejected run.
#include "app/testing/console_texts.h"
#include "tests/support/program_run.h"

#include <boost/filesystem.hpp>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = boost::filesystem;

namespace {

using app_testing::OptionTable;

using Args = std::vector<std::string>;

// One rejected invocation: what it must print and that it ends with 1.
struct Rejected {
    Args args;
    std::string out;
    std::string err;
};

std::string Describe(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& arg : args) {
        text += " [" + arg + "]";
    }
    return text;
}

void ExpectRejected(const std::vector<Rejected>& cases) {
    for (const Rejected& c : cases) {
        e2e::Scratch scratch;
        const e2e::RunResult result = scratch.ipconfig(c.args);
        EXPECT_FALSE(result.timedOut) << Describe(c.args);
        EXPECT_EQ(result.status, 1) << Describe(c.args);
        EXPECT_EQ(result.outLines(), e2e::splitLines(c.out)) << Describe(c.args);
        EXPECT_EQ(result.errLines(), e2e::splitLines(c.err)) << Describe(c.args);
        EXPECT_EQ(result.out, c.out) << Describe(c.args);
        EXPECT_EQ(result.err, c.err) << Describe(c.args);
        EXPECT_TRUE(fs::is_regular_file(scratch.logFile())) << Describe(c.args);
    }
}

using app_testing::BadIp;
using app_testing::BadSsid;
using app_testing::Forbidden;
using app_testing::Mandatory;
using app_testing::ValidIp;
const std::string DetectorSummary = "Error - invalid detector request (inconsistent parameters)\n";
const std::string ModuleSummary = "Error - invalid module request (inconsistent parameters)\n";

TEST(CliTest, NoArguments) {
    ExpectRejected({{Args{}, OptionTable, "Error - Detector type must specified.\n"}});
}

TEST(CliTest, HelpWithOtherOptionsPrintsOnlyTheTableAndRecreatesTheLog) {
    const std::vector<std::vector<std::string>> invocations = {
        {"--help"},
        {"-h"},
        {"-t", "9999", "--help", "-d", "1.2.3.4"},
        {"-t", "7380", "-c", "192.168.37.130", "-d", "10.0.37.132", "-p", "10.0.37.133", "-h"},
        {"-v", "-h", "-m"},
    };
    for (const auto& args : invocations) {
        e2e::Scratch scratch;
        {
            std::ofstream old(scratch.logFile().string());
            old << "2026-01-01T00:00:00.000+00:00 I a line of an earlier run\n";
        }
        const e2e::RunResult result = scratch.ipconfig(args);
        EXPECT_EQ(result.status, 1) << Describe(args);
        EXPECT_EQ(result.out, OptionTable + "\n") << Describe(args);
        EXPECT_EQ(result.err, "") << Describe(args);
        EXPECT_TRUE(fs::is_regular_file(scratch.logFile())) << Describe(args);
        EXPECT_EQ(scratch.readLog().find("earlier run"), std::string::npos) << Describe(args);
    }
}

TEST(CliTest, DetectorTypes) {
    const std::string noRequest = "Error - no request specified\n";
    ExpectRejected({
        {Args{"-t", "9999"}, "", "Error - Invalid detector type : 9999\n"},
        {Args{"--type", "6080K"}, OptionTable, noRequest},
        {Args{"--type=6080QL"}, OptionTable, noRequest},
        {Args{"-t4050QL"}, OptionTable, noRequest},
        {Args{"-t", "7180"}, OptionTable, noRequest},
        {Args{"-t", "7380"}, OptionTable, noRequest},
        {Args{"-t", "7380TW"}, OptionTable, noRequest},
        {Args{"--ty", "6080MV"}, OptionTable, noRequest},
        {Args{"-t", "6080k"}, "", "Error - Invalid detector type : 6080k\n"},
        {Args{"-t", "7380tw"}, "", "Error - Invalid detector type : 7380tw\n"},
        {Args{"-t", " 7380"}, "", "Error - Invalid detector type :  7380\n"},
        {Args{"-t", "6080MV "}, "", "Error - Invalid detector type : 6080MV \n"},
        {Args{"-t", ""}, OptionTable, "Error - Detector type must specified.\n"},
        {Args{"-c", "10.0.0.2", "-d", "10.0.0.66"}, OptionTable,
         "Error - Detector type must specified.\n"},
    });
}

TEST(CliTest, NoRequest) {
    const std::string noRequest = "Error - no request specified\n";
    ExpectRejected({
        {Args{"-t", "7380"}, OptionTable, noRequest},
        // Current addresses and the serial port request nothing by themselves.
        {Args{"-t", "6080QL", "-c", "192.168.1.10", "-l", "192.168.1.1/24", "-s", "COM3", "-m"},
         OptionTable, noRequest},
        // An empty value counts as absent.
        {Args{"-t", "7380", "-c", "192.168.37.130", "-d", "", "-p", ""}, OptionTable, noRequest},
        {Args{"-t", "6080QL", "--new_ssid", "", "--new_password", ""}, OptionTable, noRequest},
    });
}

TEST(CliTest, NetworkRoadRules) {
    ExpectRejected({
        {Args{"-t", "6080K", "-c", "10.0.0.2", "-l", "192.168.0.10", "-d", "10.0.0.66"}, "",
         BadIp + Forbidden + "Current peer IP\n" + DetectorSummary},
        {Args{"-t", "6080QL", "-d", "10.0.0.5"}, "",
         BadIp + Mandatory + "Current detector IP\n" + Mandatory + "Current peer IP\n" + Mandatory +
             "New peer IP\n" + DetectorSummary},
        {Args{"-t", "6080K", "-p", "10.0.0.1"}, "", DetectorSummary},
        {Args{"-t", "6080K", "-c", "10.0.0.2", "-d", "10.0.0.66", "-i", "net"}, ValidIp,
         "Error - invalid SSID configuration action\n" + DetectorSummary},
        {Args{"-t", "7380TW", "-w", "on"}, "",
         "Error - invalid Wifi activation action\n" + DetectorSummary},
        {Args{"-t", "4050QL", "-o", "secret"}, "",
         BadSsid + Mandatory + "New SSID\n" + DetectorSummary},
        {Args{"-t", "6080MV", "-i", "", "-o", "secret"}, "",
         BadSsid + Mandatory + "New SSID\n" + DetectorSummary},
        {Args{"-t", "7180", "-c", "192.168.37.130", "-l", "192.168.37.131", "-d", "192.168.37.132",
              "-p", "192.168.37.133"},
         "", BadIp + Forbidden + "Current peer IP\n" + DetectorSummary},
    });
}

TEST(CliTest, ModuleRoadRules) {
    ExpectRejected({
        {Args{"-t", "6080QL", "-m", "-w", "true"}, "",
         "Error - invalid Wifi activation action\n" + ModuleSummary},
        {Args{"-t", "6080QL", "-m", "-c", "192.168.1.10", "-d", "10.0.0.5", "-p", "10.0.0.1/16"},
         "", BadIp + Forbidden + "Current detector IP\n" + ModuleSummary},
        {Args{"-t", "7380TW", "-m", "-s", "COM3", "-i", "net", "-o", "pw"}, "",
         "Error - invalid SSID configuration action\n" + ModuleSummary},
        {Args{"-t", "7380", "-m", "-d", "10.0.37.132", "-p", "10.0.37.133"}, "",
         "Error - invalid IP configuration action\n" + ModuleSummary},
        {Args{"-t", "4050QL", "--module", "-d", "10.0.0.5", "-p", "10.0.0.1/16", "-w", "false"},
         ValidIp, "Error - invalid Wifi activation action\n" + ModuleSummary},
        {Args{"-t", "6080MV", "-m", "-o", "pw"}, "",
         BadSsid + Mandatory + "New SSID\n" + ModuleSummary},
    });
}

TEST(CliTest, ParseErrors) {
    const std::string bad = "Error - Bad invocation of command line : ";
    const std::string wifiChoices =
        " for option '--wifi_enable' is invalid. Valid choices are 'on|off', 'yes|no', '1|0' "
        "and 'true|false'\n";
    ExpectRejected({
        {Args{"-t", "7380", "--colour"}, OptionTable, bad + "unrecognised option '--colour'\n"},
        {Args{"-t", "7380", "-q"}, OptionTable, bad + "unrecognised option '-q'\n"},
        {Args{"-t", "7380", "-c"}, OptionTable,
         bad + "the required argument for option '--current_detector_ip' is missing\n"},
        {Args{"-t", "6080QL", "--wifi_enable", "maybe"}, OptionTable,
         bad + "the argument ('maybe')" + wifiChoices},
        {Args{"-t", "6080QL", "-w", ""}, OptionTable, bad + "the argument" + wifiChoices},
        {Args{"-t", "7380", "-t", "7180"}, OptionTable,
         bad + "option '--type' cannot be specified more than once\n"},
        {Args{"-t", "7380", "--new", "10.0.37.132"}, OptionTable,
         bad + "option '--new' is ambiguous and matches '--new_detector_ip', '--new_password', "
               "'--new_peer_ip', and '--new_ssid'\n"},
        {Args{"-t", "6080QL", "-i", "My", "Network", "-o", "pw"}, OptionTable,
         bad + "too many positional options have been specified on the command line\n"},
        // Words carrying the option library's own placeholders (an unexpanded
        // variable of a batch file) are shown as typed, at once.
        {Args{"-t", "6080QL", "-w", "x%value%"}, OptionTable,
         bad + "the argument ('x%value%')" + wifiChoices},
        {Args{"-t", "6080QL", "--wifi_enable=%canonical_option%"}, OptionTable,
         bad + "the argument ('%canonical_option%')" + wifiChoices},
        {Args{"-t", "6080QL", "-w", "%original_token%"}, OptionTable,
         bad + "the argument ('%original_token%')" + wifiChoices},
        {Args{"-t", "7380", "--bogus%canonical_option%"}, OptionTable,
         bad + "unrecognised option '--bogus%canonical_option%'\n"},
        {Args{"-t", "7380", "--bogus%value%"}, OptionTable,
         bad + "unrecognised option '--bogus%value%'\n"},
        {Args{"-t", "7380", "--%original_token%"}, OptionTable,
         bad + "unrecognised option '--%original_token%'\n"},
    });
}

TEST(CliTest, NetworkRoadRejectsConnectionSettingsBeforeOpening) {
    ExpectRejected({
        {Args{"-t", "7380TW", "-c", "192.168.1.11", "-l", "192.168.1.10", "-d", "192.168.1.20",
              "-p", "192.168.1.1/24"},
         ValidIp,
         "Error - Invalid current peer cidr address : 192.168.1.10\n"
         "Error - invalid detector connection settings\n"},
        {Args{"-t", "7380", "-c", "192.168.37.256", "-d", "192.168.37.132", "-p", "192.168.37.133"},
         ValidIp,
         "Error - Invalid current detector ip : 192.168.37.256\n"
         "Error - invalid detector connection settings\n"},
    });
}

TEST(CliTest, LogThatCannotBeRemoved) {
    e2e::Scratch scratch;
    fs::create_directory(scratch.logFile());
    const e2e::RunResult result = scratch.ipconfig({"-t", "7380"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "Error - Can not remove the previous log file velkor-ipconfig-cmd.log : Is a "
              "directory\n");
    EXPECT_TRUE(fs::is_directory(scratch.logFile()));
}

#ifndef _WIN32
// A folder that this run's user may read but not write. As the superuser, whom
// file permissions do not bind, the program is run as user nobody.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const e2e::Scratch& scratch) : scratch_(scratch) {
        path_ = scratch.dir() / "read-only";
        fs::create_directories(path_);
        if (::geteuid() == 0) {
            // nobody keeps the bench, so only the log stands in its way.
            fs::create_directories(scratch.benchDir());
            for (fs::recursive_directory_iterator it(scratch.benchDir()), end; it != end; ++it) {
                EXPECT_EQ(::lchown(it->path().c_str(), Nobody, Nobody), 0);
            }
            EXPECT_EQ(::chown(scratch.benchDir().c_str(), Nobody, Nobody), 0);
        }
    }
    ~ReadOnlyFolder() { fs::permissions(path_, fs::owner_all | fs::add_perms); }

    const fs::path& path() const { return path_; }
    fs::path logFile() const { return path_ / "velkor-ipconfig-cmd.log"; }

    e2e::RunResult ipconfig(const std::vector<std::string>& args) const {
        fs::permissions(path_, fs::owner_read | fs::owner_exe | fs::group_read | fs::group_exe |
                                   fs::others_read | fs::others_exe);
        if (::geteuid() != 0) {
            return scratch_.runIn(path_, e2e::IpconfigProgram(), args);
        }
        std::vector<std::string> asNobody = {"--reuid=65534", "--regid=65534", "--clear-groups",
                                             e2e::IpconfigProgram()};
        asNobody.insert(asNobody.end(), args.begin(), args.end());
        return scratch_.runIn(path_, "/usr/bin/setpriv", asNobody);
    }

private:
    static const unsigned Nobody = 65534;
    const e2e::Scratch& scratch_;
    fs::path path_;
};

const std::string CannotExecute = "setpriv: failed to execute";
#endif

// Folder permissions and a working folder removed under a run are POSIX
// matters; on Windows the driver's unit test of a log in a missing folder
// covers the same line.
const char* const NoPosixFolders = "POSIX folder permissions, users and shells";

TEST(CliTest, LogInReadOnlyFolderIsNeverWrittenInto) {
#ifdef _WIN32
    GTEST_SKIP() << NoPosixFolders;
#else
    e2e::Scratch scratch;
    ReadOnlyFolder folder(scratch);
    {
        std::ofstream old(folder.logFile().string());
        old << "earlier run\n";
    }
    const e2e::RunResult result = folder.ipconfig({"-t", "7380", "-h"});
    if (result.err.find(CannotExecute) != std::string::npos) {
        GTEST_SKIP() << "user nobody cannot run the program from this build folder";
    }
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "Error - Can not remove the previous log file velkor-ipconfig-cmd.log : Permission "
              "denied\n");
    std::ifstream log(folder.logFile().string());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(log), {}), "earlier run\n");
#endif
}

// A run that cannot keep a log changes nothing: it stops before reading its
// command line, as one whose old log cannot be removed does.
TEST(CliTest, LogThatCannotBeCreatedStopsTheRunBeforeAnyDetector) {
#ifdef _WIN32
    GTEST_SKIP() << NoPosixFolders;
#else
    const std::vector<std::string> readdress = {"-t", "7380",        "-c", "192.168.37.130",
                                                "-d", "10.0.37.132", "-p", "10.0.37.133"};
    const std::string cannotCreate =
        "Error - Can not create the log file velkor-ipconfig-cmd.log : ";
    {
        e2e::Scratch scratch;
        scratch.bench({"init"});
        const std::string before = scratch.bench({"dump", "7380", "206"}).out;
        ReadOnlyFolder folder(scratch);
        const e2e::RunResult result = folder.ipconfig(readdress);
        if (result.err.find(CannotExecute) != std::string::npos) {
            GTEST_SKIP() << "user nobody cannot run the program from this build folder";
        }
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, cannotCreate + "Permission denied\n");
        EXPECT_FALSE(fs::exists(folder.logFile()));
        EXPECT_EQ(scratch.bench({"dump", "7380", "206"}).out, before);
    }
    {
        // The working folder was removed under the run: it holds nothing any more.
        e2e::Scratch scratch;
        scratch.bench({"init"});
        const std::string before = scratch.bench({"dump", "7380", "206"}).out;
        const fs::path gone = scratch.dir() / "gone";
        fs::create_directories(gone);
        std::vector<std::string> args = {"-c", "cd \"$0\" && rmdir \"$0\" && exec \"$@\"",
                                         gone.string(), e2e::IpconfigProgram()};
        args.insert(args.end(), readdress.begin(), readdress.end());
        const e2e::RunResult result = scratch.run("/bin/sh", args);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, cannotCreate + "No such file or directory\n");
        EXPECT_EQ(scratch.bench({"dump", "7380", "206"}).out, before);
    }
#endif
}

} // namespace
