#pragma once

#include "cli/usage_error.h"

#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

class SiteCli;

// An option of velkor-site's own.
struct SiteOption {
    const char* name;  // "--from"
    const char* value; // how the usage shows its value ("LINE"); null for a flag
    const char* help;
};

// One command: its usage lines, the help's summary, its options, its handler.
struct SiteCommand {
    const char* name;
    std::vector<const char*> usages; // what follows "velkor-site NAME"
    std::vector<SiteOption> options;
    // show: the options of velkor-ipconfig-cmd it takes, by long name.
    std::vector<const char*> programOptions;
    int (SiteCli::*handler)(const SiteCommand& command, const std::vector<std::string>& words);
    const char* summary;
};

using velkor::cli::UsageError;

// The words of check and apply: the plan and velkor-site's own options.
struct CommandWords {
    std::string plan;
    std::map<std::string, std::string> values; // "--from" -> "5"
    bool has(const std::string& flag) const { return values.count(flag) > 0; }
};

// How velkor-site reads and explains a command's words, from its entry of
// the command table.
namespace site_command {

// The usage line of a command line without a known command.
extern const char* const GeneralUsage;

// "velkor-site show -t TYPE ...", one line per usage.
std::string Usage(const SiteCommand& command);
// Throws UsageError with the command's usage.
[[noreturn]] void Refuse(const SiteCommand& command, const std::string& reason);
// The words a user may type for the command's options, for suggestions.
std::vector<std::string> OptionWords(const SiteCommand& command);
// Reads check's and apply's words with the option library; refuses what it
// cannot take, with the closest option.
CommandWords ReadWords(const SiteCommand& command, const std::vector<std::string>& words);
// `text` broken at blanks into lines of at most 80 columns, the lines after
// the first `indent` columns in.
std::string Wrapped(const std::string& text, std::size_t indent);
// The command's usage, summary and options, for `help COMMAND`.
std::string Help(const SiteCommand& command);

} // namespace site_command
