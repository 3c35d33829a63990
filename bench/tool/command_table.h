#pragma once

#include "cli/usage_error.h"

#include <boost/optional.hpp>

#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

class BenchCli;
struct Invocation;

// The column of the help text where the commands' summaries start.
constexpr std::size_t SummaryColumn = 37;
// The usage line of a command line without a known command.
extern const char* const GeneralUsage;

// An option that takes the argument after it as its value.
struct ValuedOption {
    std::string name;        // "--host"
    std::string placeholder; // how the usage line shows the value: "ADDRESS"
    // What is wrong with a value, empty when it is taken; null takes any value.
    std::string (*problem)(const std::string& value);
};

// One command of velkor-bench. Its usage line, its lines of the help text,
// the checks of its arguments and its dispatch all come from here.
struct Command {
    std::string name;
    std::string arguments; // as the usage line shows them: "PORT [DETECTOR]"
    std::size_t least;     // how many arguments it takes
    std::size_t most;
    std::vector<std::string> flags; // "--json"
    std::vector<ValuedOption> options;
    int (BenchCli::*handler)(const Invocation& call);
    // The help's lines beside the usage line; none leaves the usage alone.
    std::vector<std::string> summary;
    // Where the summary starts when the usage line leaves room for it;
    // otherwise it starts the next line, at SummaryColumn.
    std::size_t summaryColumn = SummaryColumn;
    // A password may be typed among its words by mistake: no refusal of its
    // command line repeats a word that is not one of the tool's own.
    enum Words { MayShowWords, KeepsWordsSecret };
    Words words = MayShowWords;

    // "velkor-bench plug PORT [DETECTOR]", with its flags and options.
    std::string usage() const;
    bool takesFlag(const std::string& flag) const;
    const ValuedOption* option(const std::string& name) const;
};

using cli::UsageError;

// A command line, read once against the command table.
struct Invocation {
    bool help = false;                         // --help, -h or help: nothing else counts
    bool version = false;                      // --version, when help is not asked for
    const Command* command = nullptr;          // set unless help was asked for
    std::vector<std::string> words;            // the arguments after the command
    std::vector<std::string> flags;            // in the order given
    std::map<std::string, std::string> values; // the last value of each valued option

    bool has(const std::string& flag) const;
    boost::optional<std::string> value(const std::string& option) const;
    // Throws UsageError with the command's usage line.
    [[noreturn]] void refuse(const std::string& reason) const;
};

// Throws UsageError when the arguments do not fit the table: an unknown
// command or option, an option of another command, a refused option value,
// too few or too many arguments (checked in that order).
Invocation ReadCommandLine(const std::vector<std::string>& args,
                           const std::vector<Command>& commands);

// The help text's usage lines, one command after the other.
std::string HelpUsageLines(const std::vector<Command>& commands);

} // namespace bench
} // namespace velkor
