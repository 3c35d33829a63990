#include "site/program_arguments.h"

#include "app/command_line.h"

#include <boost/program_options/cmdline.hpp>
#include <boost/program_options/options_description.hpp>

namespace po = boost::program_options;

namespace {

// The option's short form, from the program's option table.
std::string ShortForm(const CommandLine& commandLine, const std::string& name) {
    return commandLine.Options()
        .find(name, false)
        .canonical_display_name(po::command_line_style::allow_dash_for_short);
}

} // namespace

std::vector<std::string> ProgramArguments(const PlanRow& row) {
    const CommandLine commandLine;
    std::vector<std::string> words;
    for (const PlanColumn& column : PlanColumns()) {
        const std::string& cell = row.*column.cell;
        const std::string name = column.name;
        if (!cell.empty() && name != "label" && name != "road") {
            if (cell[0] == '-') {
                words.push_back("--" + name + "=" + cell);
            } else {
                words.push_back(ShortForm(commandLine, name));
                words.push_back(cell);
            }
        }
        if (name == "type" && ViaModule(row)) {
            words.push_back(ShortForm(commandLine, "module"));
        }
    }
    return words;
}
