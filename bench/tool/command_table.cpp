#include "bench/tool/command_table.h"

#include "cli/closest_name.h"

#include <algorithm>

namespace velkor {
namespace bench {

const char* const GeneralUsage =
    "velkor-bench COMMAND [ARGUMENTS]  (velkor-bench --help lists them)";

namespace {

const Command* Named(const std::vector<Command>& commands, const std::string& name) {
    const auto found =
        std::find_if(commands.begin(), commands.end(),
                     [&name](const Command& command) { return command.name == name; });
    return found == commands.end() ? nullptr : &*found;
}

bool IsFlag(const std::vector<Command>& commands, const std::string& arg) {
    return std::any_of(commands.begin(), commands.end(),
                       [&arg](const Command& command) { return command.takesFlag(arg); });
}

// The first command that takes the valued option; null when none does.
const Command* OwnerOf(const std::vector<Command>& commands, const std::string& option) {
    const auto found =
        std::find_if(commands.begin(), commands.end(),
                     [&option](const Command& command) { return command.option(option); });
    return found == commands.end() ? nullptr : &*found;
}

// Every option word of the tool, for suggestions.
std::vector<std::string> OptionWords(const std::vector<Command>& commands) {
    std::vector<std::string> words = {"--help", "--version"};
    for (const Command& command : commands) {
        words.insert(words.end(), command.flags.begin(), command.flags.end());
        for (const ValuedOption& valued : command.options) {
            words.push_back(valued.name);
        }
    }
    return words;
}

// The command a command line names, if any: its first word that is neither
// an option nor an option's value.
const Command* CommandOf(const std::vector<std::string>& args,
                         const std::vector<Command>& commands) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            return i + 1 < args.size() ? Named(commands, args[i + 1]) : nullptr;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            return Named(commands, arg);
        }
        if (OwnerOf(commands, arg) != nullptr) {
            ++i;
        }
    }
    return nullptr;
}

std::vector<std::string> CommandNames(const std::vector<Command>& commands) {
    std::vector<std::string> names;
    for (const Command& command : commands) {
        names.push_back(command.name);
    }
    return names;
}

} // namespace

std::string Command::usage() const {
    std::string text = "velkor-bench " + name;
    if (!arguments.empty()) {
        text += " " + arguments;
    }
    for (const std::string& flag : flags) {
        text += " [" + flag + "]";
    }
    for (const ValuedOption& valued : options) {
        text += " [" + valued.name + " " + valued.placeholder + "]";
    }
    return text;
}

bool Command::takesFlag(const std::string& flag) const {
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

const ValuedOption* Command::option(const std::string& optionName) const {
    const auto found =
        std::find_if(options.begin(), options.end(), [&optionName](const ValuedOption& valued) {
            return valued.name == optionName;
        });
    return found == options.end() ? nullptr : &*found;
}

bool Invocation::has(const std::string& flag) const {
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

boost::optional<std::string> Invocation::value(const std::string& option) const {
    const auto found = values.find(option);
    if (found == values.end()) {
        return boost::none;
    }
    return found->second;
}

void Invocation::refuse(const std::string& reason) const {
    throw UsageError(reason, command ? command->usage() : GeneralUsage);
}

Invocation ReadCommandLine(const std::vector<std::string>& args,
                           const std::vector<Command>& commands) {
    Invocation call;
    std::vector<std::string> words; // the command first
    bool positionalOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (positionalOnly || arg.size() < 2 || arg[0] != '-') {
            words.push_back(arg);
        } else if (arg == "--") {
            positionalOnly = true;
        } else if (arg == "--help" || arg == "-h") {
            call.help = true;
        } else if (arg == "--version") {
            call.version = true;
        } else if (IsFlag(commands, arg)) {
            call.flags.push_back(arg);
        } else if (const Command* owner = OwnerOf(commands, arg)) {
            if (i + 1 == args.size()) {
                throw UsageError(arg + " needs a value", owner->usage());
            }
            call.values[arg] = args[++i];
        } else {
            const Command* named = CommandOf(args, commands);
            if (named != nullptr && named->words == Command::KeepsWordsSecret) {
                throw UsageError("unknown option (not repeated here, in case it is a password): "
                                 "the password is read from standard input, not from the "
                                 "command line, where the process list and the shell history "
                                 "would keep it",
                                 named->usage());
            }
            const Command* command = words.empty() ? nullptr : Named(commands, words.front());
            throw UsageError("unknown option " + arg + cli::DidYouMean(arg, OptionWords(commands)),
                             command ? command->usage() : GeneralUsage);
        }
    }
    if (call.help || (!words.empty() && words.front() == "help")) {
        call.help = true;
        return call;
    }
    if (call.version && words.empty() && call.flags.empty() && call.values.empty()) {
        return call;
    }
    if (words.empty()) {
        throw UsageError("no command given", GeneralUsage);
    }
    call.command = Named(commands, words.front());
    if (call.command == nullptr) {
        throw UsageError("unknown command " + words.front() +
                             cli::DidYouMean(words.front(), CommandNames(commands)),
                         GeneralUsage);
    }
    if (call.version) {
        call.refuse("--version stands alone");
    }
    const Command& command = *call.command;
    for (const auto& value : call.values) {
        if (!command.option(value.first)) {
            call.refuse(value.first + " is an option of " + OwnerOf(commands, value.first)->name);
        }
    }
    for (const std::string& flag : call.flags) {
        if (!command.takesFlag(flag)) {
            call.refuse(flag + " is not an option of " + command.name);
        }
    }
    for (const auto& value : call.values) {
        const auto problem = command.option(value.first)->problem;
        const std::string wrong = problem ? problem(value.second) : std::string();
        if (!wrong.empty()) {
            call.refuse(wrong);
        }
    }
    call.words.assign(words.begin() + 1, words.end());
    if (call.words.size() < command.least) {
        call.refuse("missing arguments");
    }
    if (call.words.size() > command.most) {
        call.refuse("too many arguments");
    }
    return call;
}

std::string HelpUsageLines(const std::vector<Command>& commands) {
    std::string text;
    for (const Command& command : commands) {
        std::string line = "  " + command.usage();
        for (std::size_t i = 0; i < command.summary.size(); ++i) {
            // At least two blanks between the usage and its summary.
            if (i == 0 && line.size() + 2 <= command.summaryColumn) {
                line.resize(command.summaryColumn, ' ');
            } else {
                text += line + "\n";
                line = std::string(SummaryColumn, ' ');
            }
            line += command.summary[i];
        }
        text += line + "\n";
    }
    return text;
}

} // namespace bench
} // namespace velkor
