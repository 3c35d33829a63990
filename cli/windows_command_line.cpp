#include "cli/windows_command_line.h"

namespace velkor {
namespace cli {

namespace {

// One word, quoted when it must be: backslashes count only before a quote.
std::string Quoted(const std::string& word) {
    if (!word.empty() && word.find_first_of(" \t\n\v\"") == std::string::npos) {
        return word;
    }
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}

} // namespace

std::string WindowsCommandLine(const std::string& program, const std::vector<std::string>& args) {
    std::string commandLine = Quoted(program);
    for (const std::string& word : args) {
        commandLine += " " + Quoted(word);
    }
    return commandLine;
}

} // namespace cli
} // namespace velkor
