#include "site/site_cli.h"

#include "app/action_rule_table.h"
#include "app/command_line.h"
#include "app/detector_type.h"
#include "app/request_checks.h"
#include "cli/closest_name.h"
#include "site/detector_view.h"
#include "site/plan.h"
#include "site/plan_check.h"
#include "site/roll_out.h"
#include "site/site_command.h"

#include <boost/algorithm/string/join.hpp>
#include <boost/dll/runtime_symbol_info.hpp>

#include <algorithm>
#include <ctime>

namespace {

Plan ReadPlanWithRows(const std::string& path) {
    Plan plan = ReadPlan(path);
    if (plan.rows.empty()) {
        throw PlanError(path, 0, "", "has no row under its header");
    }
    return plan;
}

// "velkor-site-20250131-142501": where a roll-out started now keeps its record.
std::string DefaultRunFolder() {
    const std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
    return std::string("velkor-site-") + stamp;
}

} // namespace

const std::vector<SiteCommand>& SiteCli::Commands() {
    // clang-format off
    static const std::vector<SiteCommand> commands = {
        // name, usages, own options, options of velkor-ipconfig-cmd, handler, summary
        {"show", {"-t TYPE -c ADDRESS [-l PEER] [--json]", "-t TYPE -m [-s PORT] [--json]"},
            {{"--json", nullptr, "the same as one JSON object"}},
            {"type", "current_detector_ip", "current_peer_ip", "module", "serial_port"},
            &SiteCli::Show, "read a detector's settings, change nothing"},
        {"check", {"PLAN [--json]"},
            {{"--json", nullptr, "the same as one JSON object"}},
            {}, &SiteCli::Check, "check a plan without touching any detector"},
        {"apply", {"PLAN [--keep-going] [--from LINE] [--program PATH] [--run-folder DIR]"},
            {{"--keep-going", nullptr, "go on after a row that is not changed"},
             {"--from", "LINE", "start at the row on plan line LINE"},
             {"--program", "PATH", "the velkor-ipconfig-cmd to run"},
             {"--run-folder", "DIR", "keep the record in DIR (a new folder)"}},
            {}, &SiteCli::Apply, "carry out a plan, detector by detector, with a report"},
        {"help", {"[COMMAND]"}, {}, {}, &SiteCli::Help, "what a command does"},
    };
    // clang-format on
    return commands;
}

const char* const SiteCli::Version = VELKOR_VERSION;

SiteCli::SiteCli(std::ostream& out, std::ostream& err, boost::filesystem::path program,
                 bool outputIsTerminal)
    : out_(out), err_(err), program_(std::move(program)), outputIsTerminal_(outputIsTerminal) {}

std::string SiteCli::HelpText() {
    std::string text = "velkor-site - look at detectors, check a site's address plan, roll it out\n"
                       "\n"
                       "usage:\n";
    for (const SiteCommand& command : Commands()) {
        for (const char* usage : command.usages) {
            text +=
                site_command::Wrapped(std::string("  velkor-site ") + command.name + " " + usage,
                                      15 + std::string(command.name).size());
        }
        text += std::string("      ") + command.summary + "\n";
    }
    std::string columns;
    for (const PlanColumn& column : PlanColumns()) {
        columns += std::string(columns.empty() ? "" : ", ") + column.name;
    }
    return text + "\n" +
           site_command::Wrapped(
               "PLAN: a CSV file as a spreadsheet saves it, a header row naming its columns "
               "(any of " +
                   columns + "), then a row per detector.",
               2) +
           "apply runs velkor-ipconfig-cmd for each row, in a folder of its own below\n"
           "velkor-site-YYYYMMDD-HHMMSS/ (or --run-folder), and keeps report.csv and\n"
           "report.json there.\n"
           "Exit status: 0 done, 1 refused or failed, 2 bad arguments or a plan that cannot\n"
           "be read.\n"
           "velkor-site --version shows the version; man velkor-site tells more.\n";
}

int SiteCli::Run(const std::vector<std::string>& args) {
    try {
        if (args.empty()) {
            throw UsageError("no command given", site_command::GeneralUsage);
        }
        const std::string& first = args.front();
        if (first == "--help" || first == "-h") {
            out_ << HelpText();
            return 0;
        }
        if (first == "--version") {
            if (args.size() > 1) {
                throw UsageError("--version stands alone", site_command::GeneralUsage);
            }
            out_ << "velkor-site " << Version << "\n";
            return 0;
        }
        std::vector<std::string> names;
        for (const SiteCommand& command : Commands()) {
            names.push_back(command.name);
        }
        if (first.size() > 1 && first[0] == '-') {
            throw UsageError("unknown option " + first +
                                 velkor::cli::DidYouMean(first, {"--help", "--version"}),
                             site_command::GeneralUsage);
        }
        const auto command =
            std::find_if(Commands().begin(), Commands().end(),
                         [&first](const SiteCommand& command) { return command.name == first; });
        if (command == Commands().end()) {
            throw UsageError("unknown command " + first + velkor::cli::DidYouMean(first, names),
                             site_command::GeneralUsage);
        }
        const std::vector<std::string> words(args.begin() + 1, args.end());
        if (command->programOptions.empty() &&
            std::any_of(words.begin(), words.end(),
                        [](const std::string& word) { return word == "--help" || word == "-h"; })) {
            out_ << site_command::Help(*command);
            return 0;
        }
        return (this->*command->handler)(*command, words);
    } catch (const UsageError& error) {
        err_ << "velkor-site: " << error.what() << "\n"
             << "usage: " << error.usage << "\n";
        return 2;
    } catch (const PlanError& error) {
        err_ << "velkor-site: " << error.what() << "\n";
        return 2;
    } catch (const std::exception& error) {
        err_ << "velkor-site: " << error.what() << "\n";
        return 1;
    }
}

int SiteCli::Help(const SiteCommand& command, const std::vector<std::string>& words) {
    if (words.empty()) {
        out_ << HelpText();
        return 0;
    }
    if (words.size() > 1) {
        site_command::Refuse(command, "one COMMAND at a time");
    }
    std::vector<std::string> names;
    for (const SiteCommand& known : Commands()) {
        if (known.name == words.front()) {
            out_ << site_command::Help(known);
            return 0;
        }
        names.push_back(known.name);
    }
    site_command::Refuse(command, "unknown command " + words.front() +
                                      velkor::cli::DidYouMean(words.front(), names));
}

int SiteCli::Show(const SiteCommand& command, const std::vector<std::string>& words) {
    // The program's own option table reads the words, so that they mean here
    // what they mean to velkor-ipconfig-cmd.
    bool json = false;
    std::vector<const char*> argv = {"velkor-site show"};
    for (const std::string& word : words) {
        if (word == "--json") {
            json = true;
        } else {
            argv.push_back(word.c_str());
        }
    }
    CommandLine commandLine;
    try {
        commandLine.Parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CommandLineError& error) {
        site_command::Refuse(
            command,
            error.IsUnknownOption()
                ? "unknown option " + error.Option() +
                      velkor::cli::DidYouMean(error.Option(), site_command::OptionWords(command))
                : std::string(error.what()));
    }
    if (commandLine.IsGiven("help")) {
        out_ << site_command::Help(command);
        return 0;
    }
    for (const char* name :
         {"new_detector_ip", "new_peer_ip", "new_ssid", "new_password", "wifi_enable", "verbose"}) {
        if (commandLine.IsGiven(name)) {
            site_command::Refuse(command, std::string("show changes nothing and keeps no log: --") +
                                              name + " is velkor-ipconfig-cmd's");
        }
    }
    const CommandLineValues& values = commandLine.Values();
    if (values.type.empty()) {
        site_command::Refuse(command, "no -t TYPE given");
    }
    const DetectorType type = DetectorTypeFromName(values.type);
    if (type == InvalidDetectorType) {
        site_command::Refuse(
            command, "unknown detector type " + values.type +
                         velkor::cli::DidYouMean(values.type, DetectorTypeNames()) +
                         " (known: " + boost::algorithm::join(DetectorTypeNames(), ", ") + ")");
    }
    try {
        if (commandLine.IsGiven("module")) {
            if (!values.currentDetectorIp.empty() || !values.currentPeerIp.empty()) {
                site_command::Refuse(
                    command, "-m reads the addresses over infrared: -c and -l go without it");
            }
            ActionRuleTable moduleRules;
            BuildModuleActionRules(moduleRules);
            if (moduleRules.count(type) == 0) {
                site_command::Refuse(command, "a " + values.type + " has no infrared module road");
            }
            PrintDetectorView(out_, ReadOverModule(values.type, values.serialPort), json);
            return 0;
        }
        if (!values.serialPort.empty()) {
            site_command::Refuse(command, "-s names the infrared module's port: it goes with -m");
        }
        if (values.currentDetectorIp.empty()) {
            site_command::Refuse(command,
                                 "no -c ADDRESS given: the address the detector answers at");
        }
        // The program's own lines, before anything is opened.
        if (!request_checks::CheckConnection(type, values, err_)) {
            return 1;
        }
        PrintDetectorView(
            out_, ReadOverNetwork(values.type, values.currentDetectorIp, values.currentPeerIp),
            json);
        return 0;
    } catch (const ViewError& error) {
        err_ << error.what() << "\n";
        return 1;
    }
}

int SiteCli::Check(const SiteCommand& command, const std::vector<std::string>& words) {
    const CommandWords read = site_command::ReadWords(command, words);
    const PlanCheck check = CheckPlan(ReadPlanWithRows(read.plan));
    PrintPlanCheck(out_, check, read.has("--json"));
    return check.Passed() ? 0 : 1;
}

int SiteCli::Apply(const SiteCommand& command, const std::vector<std::string>& words) {
    const CommandWords read = site_command::ReadWords(command, words);
    RollOutOptions options;
    options.keepGoing = read.has("--keep-going");
    options.program = read.has("--program") ? read.values.at("--program") : program_.string();
    options.runFolder =
        read.has("--run-folder") ? read.values.at("--run-folder") : DefaultRunFolder();
    options.progressInPlace = outputIsTerminal_;
    if (read.has("--from")) {
        const std::string& from = read.values.at("--from");
        if (from.empty() || from.size() > 9 ||
            from.find_first_not_of("0123456789") != std::string::npos) {
            site_command::Refuse(command,
                                 "--from takes the plan line a row is on, such as 5, not " + from);
        }
        options.fromLine = static_cast<unsigned>(std::stoul(from));
    }
    const PlanCheck check = CheckPlan(ReadPlanWithRows(read.plan));
    if (options.fromLine > 0 &&
        std::none_of(check.plan.rows.begin(), check.plan.rows.end(),
                     [&options](const PlanRow& row) { return row.line == options.fromLine; })) {
        site_command::Refuse(command, "--from " + std::to_string(options.fromLine) +
                                          ": no row of the plan is on that line");
    }
    if (!check.Passed()) {
        PrintPlanCheck(out_, check, false);
        err_ << "velkor-site: " << read.plan << " does not pass check: nothing was started\n";
        return 1;
    }
    return RollOut(check, options, out_, err_).Run();
}

boost::filesystem::path ProgramBesideSite() {
#ifdef _WIN32
    const char* const name = "velkor-ipconfig-cmd.exe";
#else
    const char* const name = "velkor-ipconfig-cmd";
#endif
    return boost::dll::program_location().parent_path() / name;
}
