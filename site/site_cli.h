#pragma once

#include <boost/filesystem/path.hpp>

#include <ostream>
#include <string>
#include <vector>

struct SiteCommand;

// The velkor-site commands. Exit status: 0 done, 1 refused or failed (the
// reason on standard error), 2 bad arguments or a plan that cannot be read.
class SiteCli {
public:
    // `program`: the velkor-ipconfig-cmd that apply runs unless --program
    // names another. `outputIsTerminal`: apply's progress line updates in
    // place on `out`.
    SiteCli(std::ostream& out, std::ostream& err, boost::filesystem::path program,
            bool outputIsTerminal);

    // The project's version, as --version shows it.
    static const char* const Version;

    int Run(const std::vector<std::string>& args);

    static std::string HelpText();

private:
    // The command table: every command, in the order the help lists them.
    static const std::vector<SiteCommand>& Commands();

    int Show(const SiteCommand& command, const std::vector<std::string>& words);
    int Check(const SiteCommand& command, const std::vector<std::string>& words);
    int Apply(const SiteCommand& command, const std::vector<std::string>& words);
    int Help(const SiteCommand& command, const std::vector<std::string>& words);

    std::ostream& out_;
    std::ostream& err_;
    boost::filesystem::path program_;
    bool outputIsTerminal_;
};

// The program velkor-site runs by default: velkor-ipconfig-cmd in the folder
// of velkor-site's own executable, where both are installed.
boost::filesystem::path ProgramBesideSite();
