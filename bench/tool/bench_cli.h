#pragma once

#include "bench/store/bench_store.h"
#include "bench/tool/command_table.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

// The velkor-bench commands. Exit status: 0 done, 1 refused or failed (the
// reason on standard error), 2 bad arguments (a usage line on standard error).
class BenchCli {
public:
    // `in` gives check-password its password; when it is a terminal, the
    // password is asked for on `err` and not shown as it is typed.
    BenchCli(BenchStore store, std::istream& in, std::ostream& out, std::ostream& err,
             bool inputIsTerminal = false);

    // The project's version, as --version shows it.
    static const char* const Version;

    int run(const std::vector<std::string>& args);

    static std::string HelpText();

private:
    // The command table: every command, in the order the help lists them.
    static const std::vector<Command>& Commands();

    int init(const Invocation& call);
    int list(const Invocation& call);
    int add(const Invocation& call);
    int remove(const Invocation& call);
    int show(const Invocation& call);
    int dump(const Invocation& call);
    int reboot(const Invocation& call);
    int fault(const Invocation& call);
    int link(const Invocation& call);
    int plug(const Invocation& call);
    int unplug(const Invocation& call);
    int checkPassword(const Invocation& call);

    BenchStore store_;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    bool inputIsTerminal_;
};

} // namespace bench
} // namespace velkor
