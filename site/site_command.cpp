#include "site/site_command.h"

#include "app/command_line.h"
#include "cli/closest_name.h"

#include <boost/program_options/cmdline.hpp>
#include <boost/program_options/options_description.hpp>
#include <boost/program_options/parsers.hpp>
#include <boost/program_options/positional_options.hpp>
#include <boost/program_options/value_semantic.hpp>
#include <boost/program_options/variables_map.hpp>

namespace po = boost::program_options;

namespace site_command {

const char* const GeneralUsage = "velkor-site COMMAND [ARGUMENTS]  (velkor-site --help lists them)";

std::string Usage(const SiteCommand& command) {
    std::string text;
    for (const char* usage : command.usages) {
        text += (text.empty() ? "" : "\n       ") + std::string("velkor-site ") + command.name +
                " " + usage;
    }
    return text;
}

[[noreturn]] void Refuse(const SiteCommand& command, const std::string& reason) {
    throw UsageError(reason, Usage(command));
}

std::vector<std::string> OptionWords(const SiteCommand& command) {
    std::vector<std::string> words = {"--help"};
    const CommandLine commandLine;
    for (const char* name : command.programOptions) {
        const auto& option = commandLine.Options().find(name, false);
        words.push_back("--" + option.long_name());
        words.push_back(
            option.canonical_display_name(po::command_line_style::allow_dash_for_short));
    }
    for (const SiteOption& option : command.options) {
        words.push_back(option.name);
    }
    return words;
}

namespace {

// What is wrong with a command line the option library refused. Never the
// library's own message: a word holding one of its placeholders ("%value%")
// would keep it busy for ever (see CommandLine::Parse).
std::string UsageReason(const po::error& error, const SiteCommand& command) {
    const auto* named = dynamic_cast<const po::error_with_option_name*>(&error);
    if (named == nullptr) {
        return "the command line cannot be read";
    }
    const std::string name = named->get_option_name();
    if (dynamic_cast<const po::unknown_option*>(&error)) {
        return "unknown option " + name + velkor::cli::DidYouMean(name, OptionWords(command));
    }
    if (dynamic_cast<const po::multiple_occurrences*>(&error)) {
        return name + " is given twice";
    }
    if (dynamic_cast<const po::ambiguous_option*>(&error)) {
        return name + " is the start of more than one option";
    }
    const auto* syntax = dynamic_cast<const po::invalid_command_line_syntax*>(&error);
    if (syntax && syntax->kind() == po::invalid_command_line_syntax::missing_parameter) {
        return name + " needs a value";
    }
    return name + " is not written right";
}

} // namespace

CommandWords ReadWords(const SiteCommand& command, const std::vector<std::string>& words) {
    po::options_description options;
    for (const SiteOption& option : command.options) {
        const std::string name = option.name + 2;
        if (option.value == nullptr) {
            options.add_options()(name.c_str(), "");
        } else {
            options.add_options()(name.c_str(), po::value<std::string>());
        }
    }
    options.add_options()("plan", po::value<std::vector<std::string>>());
    po::positional_options_description positional;
    positional.add("plan", -1);
    po::variables_map variables;
    try {
        po::store(po::command_line_parser(words).options(options).positional(positional).run(),
                  variables);
    } catch (const po::error& error) {
        Refuse(command, UsageReason(error, command));
    }
    CommandWords read;
    for (const SiteOption& option : command.options) {
        const std::string name = option.name + 2;
        if (variables.count(name)) {
            read.values[option.name] =
                option.value == nullptr ? std::string() : variables[name].as<std::string>();
        }
    }
    const std::vector<std::string> plans = variables.count("plan")
                                               ? variables["plan"].as<std::vector<std::string>>()
                                               : std::vector<std::string>();
    if (plans.empty()) {
        Refuse(command, "no PLAN given");
    }
    if (plans.size() > 1) {
        Refuse(command, "one PLAN at a time");
    }
    read.plan = plans.front();
    return read;
}

constexpr std::size_t Width = 80;

std::string Wrapped(const std::string& text, std::size_t indent) {
    std::string wrapped;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start + 1);
        end = end == std::string::npos ? text.size() : end;
        const std::string word = text.substr(start, end - start);
        if (line.size() + word.size() > Width && line.find_first_not_of(' ') != std::string::npos) {
            wrapped += line + "\n";
            line = std::string(indent, ' ') + word.substr(word.find_first_not_of(' '));
        } else {
            line += word;
        }
        start = end;
    }
    return wrapped + line + "\n";
}

std::string Help(const SiteCommand& command) {
    std::string text;
    for (const char* usage : command.usages) {
        text += Wrapped(std::string(text.empty() ? "usage: " : "       ") + "velkor-site " +
                            command.name + " " + usage,
                        20 + std::string(command.name).size());
    }
    text += std::string(command.summary) + "\n";
    const CommandLine commandLine;
    for (const char* name : command.programOptions) {
        const auto& option = commandLine.Options().find(name, false);
        text += Wrapped(
            "  " + option.canonical_display_name(po::command_line_style::allow_dash_for_short) +
                ", --" + option.long_name() + ": " + option.description(),
            6);
    }
    for (const SiteOption& option : command.options) {
        text += Wrapped(std::string("  ") + option.name + (option.value ? " " : "") +
                            (option.value ? option.value : "") + ": " + option.help,
                        6);
    }
    return text;
}

} // namespace site_command
