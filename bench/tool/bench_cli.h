#pragma once

#include "bench/store/bench_store.h"

#include <ostream>
#include <string>
#include <vector>

namespace velkor {
namespace bench {

// The velkor-bench commands. Exit status: 0 done, 1 refused or failed (the
// reason on standard error), 2 bad arguments (a usage line on standard error).
class BenchCli {
public:
    BenchCli(BenchStore store, std::ostream& out, std::ostream& err);

    int run(const std::vector<std::string>& args);

    static std::string HelpText();

private:
    int dispatch(const std::string& command, const std::vector<std::string>& words,
                 const std::vector<std::string>& flags);
    int init(const std::vector<std::string>& words, const std::vector<std::string>& flags);
    int list(bool json);
    int add(const std::vector<std::string>& words);
    int show(const std::string& name, bool json);
    int dump(const std::string& name, const std::string& number);
    int reboot(const std::string& name);
    int fault(const std::string& name, const std::string& kind, const std::string& state);
    int link(const std::string& name, const std::string& kind);
    int plug(const std::vector<std::string>& words);
    int unplug(const std::string& port);
    int checkPassword(const std::string& name, const std::string& password);

    BenchStore store_;
    std::ostream& out_;
    std::ostream& err_;
};

} // namespace bench
} // namespace velkor
